#include "app/application.h"
#include "app/commandline.h"
#include "app/desktopplatform.h"
#include "app/programfonts.h"
#include "app/qtmessageboxes.h"
#include "app/quadrosx.h"
#include "batch/batchoptions.h"
#include "batch/batchrun.h"
#include "report/defaultprintersink.h"

#ifdef Q_OS_WIN
#include "app/windows/windowsapi.h"
#endif

#include <QFont>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace {

// Qt's own texts (the boxes' context menus) in Italian, like every other text of the program.
void loadItalianQtTexts(QTranslator& translator) {
    if (translator.load(QStringLiteral("qtbase_it"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    else
        qWarning("quadrosx: Qt's Italian texts (qtbase_it.qm) not found; install "
                 "qt6-translations-l10n");
}

// Set QUADROSX_SCREENSHOT to a file name to have the window saved there once it is shown.
void saveScreenshotWhenAsked(QWidget& window) {
    const QString path = qEnvironmentVariable("QUADROSX_SCREENSHOT");
    if (path.isEmpty())
        return;
    QTimer::singleShot(800, &window, [&window, path] { window.grab().save(path); });
}

} // namespace

int main(int argc, char** argv) {
    if (isBatchCommandLine(argc, argv)) {
#ifdef Q_OS_WIN
        WindowsApi::attachParentConsole();
#endif
        return batchMain(argc, argv);
    }
    Application app(argc, argv);
    QTranslator qtTexts;
    loadItalianQtTexts(qtTexts);
    addFontsBesideProgram(QCoreApplication::applicationDirPath());
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QtMessageBoxes boxes;
    DesktopPlatform platform;
    MOD770BAS mod;
    mod.COMMANDLINE = rawCommandArguments();
    QUADROSX window(
        mod, Services{boxes, platform, [] { return std::make_unique<DefaultPrinterSink>(); }});
    boxes.setParent(&window);
    app.setErrorReport([&window](int number, const QString& description) {
        window.reportError(number, description);
    });
    window.startUp();
    saveScreenshotWhenAsked(window);
    return app.exec();
}

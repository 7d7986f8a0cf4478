#include "app/application.h"
#include "app/desktopplatform.h"
#include "app/qtmessageboxes.h"
#include "app/quadrosx.h"
#include "report/defaultprintersink.h"

#include <QFont>
#include <QTimer>

namespace {

// Set QUADROSX_SCREENSHOT to a file name to have the window saved there once it is shown.
void saveScreenshotWhenAsked(QWidget& window) {
    const QString path = qEnvironmentVariable("QUADROSX_SCREENSHOT");
    if (path.isEmpty())
        return;
    QTimer::singleShot(800, &window, [&window, path] { window.grab().save(path); });
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QtMessageBoxes boxes;
    DesktopPlatform platform;
    MOD770BAS mod;
    mod.COMMANDLINE = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
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

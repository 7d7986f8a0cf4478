#include "app/environment.h"
#include "app/names.h"
#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "data/accessfile.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Names770;

namespace {

QString templatePath(const MOD770BAS& mod) {
    return mod.DIRARCHIVI + templateFile();
}
QString yearDatabasePath(const MOD770BAS& mod) {
    return mod.DIRARCHIVI + yearDatabaseFile();
}

} // namespace

void QUADROSX::wireApp() {
    for (const auto& [index, button] : cmduscita.all()) {
        const int i = index;
        connect(button, &QPushButton::clicked, this,
                [this, i] { guarded([this, i] { cmduscita_Click(i); }); });
    }
}

void QUADROSX::Form_Load() {
    setWindowTitle(captionPrefix() + trimBlanks(designCaption()));
    CONTROLLOAMBIENTE();
    if (ended_)
        return;
    IMPOSTAFRAME();
    placeWindow();
    show();
    placeWindow();
    APRIDATABASE();
    const QString caption = trimBlanks(windowTitle());
    CONTROLLOFRONTESPIZIO(caption);
    if (mod_.FLAGNOFRONTESPIZIO == 1) {
        close();
        return;
    }
    IMPOSTAFRAME();
    APRITAB();
    FLAGLISTA = 0;
    Option2(0)->setChecked(true);
    LISTADICHIARAZIONI();
    FLAGLISTA = 1;
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
    mod_.FLAGBLOCCO = 0;
    StatusPanel1->setText(QStringLiteral("Release ") + trimBlanks(mod_.COMMANDLINE.mid(2)));
}

void QUADROSX::placeWindow() {
    // 12120 x 9120 twips is the whole window, title bar and borders included, centred.
    const QSize whole(12120 / 15, 9120 / 15);
    const QSize screen = services_.platform.screenSize();
    placedFrame_ = frameGeometry().size() - geometry().size();
    resize(whole - placedFrame_);
    move((screen.width() - whole.width()) / 2, (screen.height() - whole.height()) / 2);
}

void QUADROSX::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager tells the thickness of its borders and title bar only after the window
    // is shown, by moving it into its frame: the size and place are set again then.
    if (isVisible() && windowState() == Qt::WindowNoState &&
        frameGeometry().size() - geometry().size() != placedFrame_)
        placeWindow();
}

void QUADROSX::CONTROLLOAMBIENTE() {
    mod_.DIRARCHIVI.clear();
    mod_.DIRPROGRAMMI.clear();
    mod_.PERCORSOARCHIVI.clear();
    mod_.PERCORSOPROGRAMMI.clear();
    mod_.SERVERARCHIVI.clear();
    LEGGIPERCORSI();
    if (ended_)
        return;
    if (mod_.PERCORSOARCHIVI.isEmpty()) {
        ask(QStringLiteral("Non trovata procedura ") + QStringLiteral("Zavirten") + CR() + CR() +
                QStringLiteral("Contattare Tarvessi Servizi"),
            MessageBoxes::OkOnly + MessageBoxes::Critical,
            QStringLiteral("Controllo procedura 770/2004 Semplificato"));
        endProcess(0);
        return;
    }
    mod_.DIRARCHIVI = mod_.PERCORSOARCHIVI;
    mod_.DIRPROGRAMMI = mod_.PERCORSOPROGRAMMI;
    // On a server the year's database is no file: there is nothing to check or copy.
    if (!mod_.SERVERARCHIVI.isEmpty()) {
        if (!mod_.serverBuiltIn) {
            ask(serverNotBuiltNotice(), MessageBoxes::OkOnly + MessageBoxes::Critical,
                QStringLiteral("Controllo procedura 770/2004 Semplificato"));
            endProcess(0);
        }
        return;
    }
    if (!ESISTEFILE(localPath(templatePath(mod_)))) {
        ask(QStringLiteral("Attenzione !!!!") + CR() + QStringLiteral("Non esiste file ") +
                templatePath(mod_) + CR() + QStringLiteral("Contattare la Tarvessi servizi"),
            MessageBoxes::OkOnly + MessageBoxes::Critical, captionPrefix());
        endProcess(0);
        return;
    }
    const QString yearDatabase = localPath(yearDatabasePath(mod_));
    if (isAccessArchive(QFile::exists(yearDatabase) ? yearDatabasePath(mod_) : templatePath(mod_)))
        return;
    // Only a missing file is created: anything already there, even a damaged file, is the
    // user's and stays as it is.
    if (!QFile::exists(yearDatabase) && !QFile::copy(localPath(templatePath(mod_)), yearDatabase))
        throw DatabaseError{75, QStringLiteral("Impossibile copiare %1 in %2")
                                    .arg(templatePath(mod_), yearDatabasePath(mod_))};
}

bool QUADROSX::isAccessArchive(const QString& path) {
    const AccessFile::Format format = AccessFile::formatOf(localPath(path));
    if (format == AccessFile::Format::None)
        return false;
    ask(AccessFile::notice(localPath(path), format, mod_.DIRARCHIVI),
        MessageBoxes::OkOnly + MessageBoxes::Critical, captionPrefix());
    endProcess(0);
    return true;
}

void QUADROSX::LEGGIPERCORSI() {
    if (services_.platform.anotherCopyRunning()) {
        endProcess(0);
        return;
    }
    mod_.PERCORSOARCHIVI =
        LEGGIREGISTRO(Hive::CurrentUser, registryKey(), QStringLiteral("PERCORSOARCHIVI"));
    mod_.PERCORSOPROGRAMMI =
        LEGGIREGISTRO(Hive::CurrentUser, registryKey(), QStringLiteral("PERCORSOPROGRAMMI"));
    mod_.SERVERARCHIVI =
        LEGGIREGISTRO(Hive::CurrentUser, registryKey(), QStringLiteral("SERVERARCHIVI"));
}

void QUADROSX::CONTROLLOFRONTESPIZIO(const QString& caption) {
    mod_.FLAGNOFRONTESPIZIO = 0;
    mod_.RSQUERY = mod_.DBARCHIVIO->openQuery(QStringLiteral("SELECT * FROM frontespizio"));
    if (mod_.RSQUERY->recordCount() == 0) {
        mod_.FLAGNOFRONTESPIZIO = 1;
        ask(QStringLiteral("Inserire prima il frontespizio per accedere al programma") + CR() +
                CR() + caption,
            MessageBoxes::OkOnly + MessageBoxes::Information,
            QStringLiteral("Controlli ") + QStringLiteral("770/2004") +
                QStringLiteral(" semplificato"));
    }
    mod_.RSQUERY->close();
}

void QUADROSX::cmduscita_Click(int) {
    if (mayLeaveSchedule())
        close();
}

void QUADROSX::Form_Unload() {
    unloading_ = true;
    // Every step is tried whatever the one before did: the run always ends.
    try {
        CHIUDITAB();
    } catch (...) {
    }
    try {
        CHIUDIDATABASE();
    } catch (...) {
    }
    bool activated = false;
    try {
        activated = services_.platform.activateWindow(mainWindowTitle());
    } catch (...) {
    }
    if (!activated) {
        try {
            services_.platform.startProgram(localPath(mod_.DIRPROGRAMMI + mainProgramFile()));
        } catch (...) {
        }
    }
    endProcess(0);
}

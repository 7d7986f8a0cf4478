#include "windowharness.h"

#include "app/commandline.h"
#include "app/desktopplatform.h"
#include "app/environment.h"
#include "tools/jet4/jet4writer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Starting the program from the suite: what it needs, and the list it shows.
class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        // Tax codes and names sort in the opposite order of the company codes.
        h->archive.addDeclarant("001", "ZZZ", "ZETA", "A", "ZETA SRL", QVariant());
        h->archive.addDeclarant("003", "AAA", QVariant(), QVariant(), "alfa srl", "");
        h->archive.addDeclarant("002", "MMM", "MEDÌ", "NICOLÒ", QVariant(), "M");
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    // What is missing; the one message (style, title, text; %1 the archives folder); the files
    // left in the archives folder.
    void aMissingPieceEndsTheRun_data() {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("files");
        static const char noFrontPage[] =
            "64 Controlli 770/2004 semplificato: Inserire prima il frontespizio per accedere al "
            "programma\r\rGestione Modello 770/2004 (Semplificato) - Gestione Quadro SX - "
            "Riepilogo delle compensazioni";
        static const char accessNotice[] =
            "16  Gestione Modello 770/2004 (Semplificato) - : Il file %1/%2 è un archivio Access "
            "della procedura paghe, formato Access 2000-2003 (Jet 4).\rQuesto programma lavora su "
            "un archivio SQLite e non lo apre: nulla è stato copiato né modificato.\r\rPer "
            "portare gli archivi Access nel nuovo formato, a procedura chiusa, eseguire una "
            "volta:\rsxcopy --in-place \"%1\"";
        const QByteArray accessYear = QString(accessNotice).replace("%2", "S7702004.MDB").toUtf8();
        const QByteArray accessTemplate =
            QString(accessNotice).replace("%2", "S774XXXX.MDB").toUtf8();
        const QByteArray serverNotice =
            ("16 Controllo procedura 770/2004 Semplificato: " + serverNotBuiltNotice()).toUtf8();
        const char* cases[][4] = {
            {"settings", "settings S7702004.MDB",
             "16 Controllo procedura 770/2004 Semplificato: Non trovata procedura Zavirten\r\r"
             "Contattare Tarvessi Servizi",
             "S774XXXX.MDB"},
            {"template", "S774XXXX.MDB",
             "16  Gestione Modello 770/2004 (Semplificato) - : Attenzione !!!!\rNon esiste file "
             "%1\\S774XXXX.MDB\rContattare la Tarvessi servizi",
             "S7702004.MDB"},
            {"year's database, copied from the template", "S7702004.MDB", noFrontPage,
             "S7702004.MDB S774XXXX.MDB"},
            {"front page", "FRONTESPIZIO", noFrontPage, "S7702004.MDB S774XXXX.MDB"},
            {"nothing, another copy is running", "copy S7702004.MDB", "", "S774XXXX.MDB"},
            {"year's database of Access", "Access year", accessYear, "S7702004.MDB S774XXXX.MDB"},
            {"template of Access, no year's database", "Access template S7702004.MDB",
             accessTemplate, "S774XXXX.MDB"},
            {"a server, in a build that reaches none", "server S7702004.MDB", serverNotice,
             "S774XXXX.MDB"}};
        for (const auto& c : cases)
            QTest::newRow(c[0]) << c[1] << c[2] << c[3];
    }
    void aMissingPieceEndsTheRun() {
        QFETCH(QString, missing);
        QFETCH(QString, shown);
        QFETCH(QString, files);
        const QByteArray before = fileBytes(h->archive.yearPath());
        // Values of the whole organisation are not the user's own.
        QSettings shared(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI");
        if (missing.contains("settings")) {
            h->archive.removeSettings();
            shared.setValue("PERCORSOARCHIVI", h->archive.archives());
            shared.setValue("PERCORSOPROGRAMMI", h->archive.programs());
            shared.sync();
        }
        if (missing.contains("S7702004"))
            QFile::remove(h->archive.yearPath());
        if (missing.contains("S774XXXX"))
            QFile::remove(h->archive.templatePath());
        if (missing == "FRONTESPIZIO")
            h->archive.exec(QStringLiteral("DELETE FROM FRONTESPIZIO"));
        const QString access =
            missing.contains("template") ? h->archive.templatePath() : h->archive.yearPath();
        const QByteArray accessBytes = Jet4::fileOf({{"FRONTESPIZIO", {}, {}}});
        if (missing.startsWith("Access"))
            QVERIFY(writeFile(access, accessBytes));
        h->platform.otherCopy = missing.contains("copy");
        h->mod.serverBuiltIn = !missing.contains("server");
        if (!h->mod.serverBuiltIn)
            QSettings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN")
                .setValue("SERVERARCHIVI", "postgresql://ufficio@server/anno2004");
        if (!shown.isEmpty())
            h->boxes.answer({MessageBoxes::Ok});
        h->start();
        shared.clear();
        QStringList texts;
        for (const auto& box : h->boxes.boxes)
            texts << QString::number(box.style) + ' ' + box.title + ": " + box.text;
        QCOMPARE(texts.join(""), shown.replace("%1", h->archive.archives()));
        QCOMPARE(QDir(h->archive.archives()).entryList(QDir::Files).join(' '), files);
        if (missing.contains("S774XXXX"))
            QCOMPARE(fileBytes(h->archive.yearPath()), before);
        if (missing.startsWith("Access"))
            QCOMPARE(fileBytes(access), accessBytes);
        QCOMPARE(h->platform.endings, QList<int>{0});
    }

    void listSortedAsChosen() {
        const QByteArray before = fileBytes(h->archive.yearPath());
        h->start(QStringLiteral("/R  4.2.1  "));
        QCOMPARE(h->window->StatusPanel1->text(), QStringLiteral("Release 4.2.1"));
        // The design size is the whole window, borders and title bar included, also when a
        // window manager adds them after the window is shown.
        QTRY_COMPARE(h->window->frameGeometry(),
                     QRect((1280 - 808) / 2, (1024 - 608) / 2, 808, 608));
        QCOMPARE(h->window->List1->item(1)->text(),
                 "002 " + QString("MMM").leftJustified(16) + " MEDÌ NICOLÒ");
        for (const auto& [option, order] : QList<std::pair<int, QString>>{
                 {1, "003 002 001"}, {2, "003 002 001"}, {0, "001 002 003"}}) {
            h->window->List1->setCurrentRow(1);
            h->click(h->window->Option2(option));
            QStringList codes;
            for (int i = 0; i < h->window->List1->count(); ++i)
                codes << h->window->List1->item(i)->text().left(3);
            QCOMPARE(codes.join(' '), order);
            QCOMPARE(h->window->List1->selectedItems().size(), 0);
        }
        QCOMPARE(fileBytes(h->archive.yearPath()), before);
    }

    // Written by hand, as the README shows: the value is the whole text after "=", whatever
    // a settings file would otherwise make of a comma, a semicolon, a backslash, a double quote
    // or a leading "@". The last one names a folder relative to the working folder.
    void folderNameIsReadWhole_data() {
        QTest::addColumn<QString>("folder");
        for (const char* folder :
             {"archivi,2004;a", "archivi\\2004\\t", "archivi \"2004\"", "@@archivi", "@Invalid()"})
            QTest::newRow(folder) << QString(folder);
    }
    void folderNameIsReadWhole() {
        QFETCH(QString, folder);
        const QDir parent = QFileInfo(h->archive.archives()).dir();
        QVERIFY(QDir().rename(h->archive.archives(), parent.filePath(folder)));
        const QString value = folder.startsWith('@') ? folder : parent.filePath(folder);
        QVERIFY(writeFile(
            QSettings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN")
                .fileName(),
            ("[General]\nPERCORSOARCHIVI=" + value + "\nPERCORSOPROGRAMMI=" + value + "\n")
                .toUtf8()));
        const QString current = QDir::currentPath();
        QDir::setCurrent(parent.path());
        h->start();
        QDir::setCurrent(current);
        QCOMPARE(h->mod.DIRARCHIVI + h->mod.DIRPROGRAMMI +
                     QString::number(h->window->List1->count()),
                 value + value + "3");
    }

    // The single copy is per user: another user's copy, running or crashed, on the same machine
    // (a terminal server) does not count. Each user has a runtime folder of their own.
    void oneCopyPerUser() {
        QTemporaryDir mine, other;
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const auto blocked = [](const QTemporaryDir& user) { // a copy started by the user
            qputenv("XDG_RUNTIME_DIR", user.path().toLocal8Bit());
            return DesktopPlatform().anotherCopyRunning();
        };
        qputenv("XDG_RUNTIME_DIR", mine.path().toLocal8Bit());
        std::optional<DesktopPlatform> first(std::in_place);
        QList<bool> found{first->anotherCopyRunning(), blocked(other), blocked(mine)};
        first.reset();
        found << blocked(mine);
        if (runtime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtime);
        QCOMPARE(found, QList<bool>({false, false, true, false}));
    }

    // The release text is read from the command line as the process received it.
    void releaseFromTheRawCommandLine() {
        QCOMPARE(argumentsOfCommandLine("\"C:\\Paghe 2004\\quadrosx.exe\"  /R\"4.2\""),
                 QStringLiteral("/R\"4.2\""));
        QCOMPARE(argumentsOfProcCmdline(QByteArray("quadrosx\0-style\0fusion\0/R1.0\0", 29)),
                 QStringLiteral("-style fusion /R1.0"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

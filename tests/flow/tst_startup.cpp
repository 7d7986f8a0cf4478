#include "windowharness.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

namespace {

const QChar CR13(13);

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    void addSampleDeclarants() {
        h->archive.addDeclarant("003", "RSSMRA70A01H501U", "ROSSI", "MARIO", "IGNORED", "P");
        h->archive.addDeclarant("001", "01234567890", QVariant(), QVariant(), "ACME S.P.A.",
                                QVariant());
        h->archive.addDeclarant("002", "BNCLGU65B02F205X", "BIANCHI", "LUIGI", QVariant(), " ");
    }

  private slots:
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void startsOnTheListSortedByCompanyCode() {
        addSampleDeclarants();
        h->start(QStringLiteral("/R  4.2.1  "));
        QVERIFY(h->platform.endings.isEmpty());
        QVERIFY(h->boxes.boxes.isEmpty());
        QCOMPARE(h->window->windowTitle(),
                 QStringLiteral(" Gestione Modello 770/2004 (Semplificato) - Gestione Quadro SX - "
                                "Riepilogo delle compensazioni"));
        QCOMPARE(h->window->StatusPanel1->text(), QStringLiteral("Release 4.2.1"));
        QVERIFY(h->window->FrmSelezione(0)->isVisible());
        QVERIFY(!h->window->Frmmoduli(0)->isVisible());
        QVERIFY(!h->window->Frmtestata->isVisible());
        // The design size is the whole window, borders and title bar included.
        QCOMPARE(h->window->frameGeometry(), QRect((1280 - 808) / 2, (1024 - 608) / 2, 808, 608));
        const QStringList expected = {
            "001 01234567890      ACME S.P.A.",
            // a blank fr_14 names the declarant by FR_3, here Null
            "002 BNCLGU65B02F205X ",
            "003 RSSMRA70A01H501U ROSSI MARIO",
        };
        QStringList lines;
        for (int i = 0; i < h->window->List1->count(); ++i)
            lines << h->window->List1->item(i)->text();
        QCOMPARE(lines, expected);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        QCOMPARE(h->window->FLAGLISTA, qint16(1));
    }

    void sortOptionsRefillTheListAtOnce_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QStringList>("companies");
        QTest::newRow("tax code") << 1 << QStringList{"001", "002", "003"};
        QTest::newRow("name") << 2 << QStringList{"001", "002", "003"};
        QTest::newRow("company") << 0 << QStringList{"001", "002", "003"};
    }
    void sortOptionsRefillTheListAtOnce() {
        QFETCH(int, option);
        QFETCH(QStringList, companies);
        // tax codes and names sort in the opposite order of the company codes here
        h->archive.addDeclarant("001", "ZZZ", "ZETA", "A", "ZETA SRL", QVariant());
        h->archive.addDeclarant("002", "MMM", "MEDI", "A", "medi srl", QVariant());
        h->archive.addDeclarant("003", "AAA", "ALFA", "A", "ALFA SRL", QVariant());
        h->start();
        h->window->List1->setCurrentRow(1);
        if (option != 0) {
            std::reverse(companies.begin(), companies.end());
            QTest::mouseClick(h->window->Option2(option), Qt::LeftButton);
        } else {
            QTest::mouseClick(h->window->Option2(2), Qt::LeftButton);
            QTest::mouseClick(h->window->Option2(0), Qt::LeftButton);
        }
        QStringList seen;
        for (int i = 0; i < h->window->List1->count(); ++i)
            seen << h->window->List1->item(i)->text().left(3);
        QCOMPARE(seen, companies);
        QCOMPARE(h->window->List1->selectedItems().size(), 0);
    }

    void listsEveryFieldAsTheLineLayoutSays() {
        const QString longName = QString(70, QLatin1Char('N'));
        h->archive.addDeclarant("A'1", "L'AQUILA'XX", QVariant(), QVariant(), "D'ANGELO & C.",
                                QVariant());
        h->archive.addDeclarant("B 2", "ABCDEFGHIJKLMNOPQRSTU", "O'NEIL", QVariant(), "X", "1");
        h->archive.addDeclarant("C3 ", QVariant(), QVariant(), QVariant(), longName, "");
        h->archive.addDeclarant("Z4 ", "NCLFBR80A01H501Z", QStringLiteral("NICOLÒ"),
                                QStringLiteral("FABBRÌ"), "X", "M");
        h->start();
        QCOMPARE(h->window->List1->count(), 4);
        QCOMPARE(h->window->List1->item(0)->text(),
                 QStringLiteral("A'1 L'AQUILA'XX      D'ANGELO & C."));
        QCOMPARE(h->window->List1->item(1)->text(), QStringLiteral("B 2 ABCDEFGHIJKLMNOP O'NEIL "));
        QCOMPARE(h->window->List1->item(2)->text(),
                 QStringLiteral("C3  ") + QString(16, ' ') + ' ' + longName);
        QCOMPARE(h->window->List1->item(3)->text(),
                 QStringLiteral("Z4  NCLFBR80A01H501Z NICOLÒ FABBRÌ"));
    }

    void commandLineOfTwoCharactersGivesTheWordAlone() {
        addSampleDeclarants();
        h->start(QStringLiteral("/R"));
        QCOMPARE(h->window->StatusPanel1->text(), QStringLiteral("Release "));
    }

    void missingSettingsEndWithMessageOneAndCreateNothing() {
        QFile::remove(h->archive.yearPath());
        h->archive.removeSettings();
        // Organisation-wide values are not the user's own: they are not read.
        QSettings shared(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI");
        shared.setValue("PERCORSOARCHIVI", h->archive.archives());
        shared.sync();
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        shared.clear();
        QCOMPARE(h->boxes.boxes.size(), 1);
        QCOMPARE(h->boxes.boxes[0].text, QStringLiteral("Non trovata procedura Zavirten") + CR13 +
                                             CR13 + QStringLiteral("Contattare Tarvessi Servizi"));
        QCOMPARE(h->boxes.boxes[0].style, 16);
        QCOMPARE(h->boxes.boxes[0].title,
                 QStringLiteral("Controllo procedura 770/2004 Semplificato"));
        QCOMPARE(h->platform.endings, QList<int>{0});
        QCOMPARE(filesIn(h->archive.archives()), QStringList{"S774XXXX.MDB"});
        QVERIFY(!h->window->isVisible());
    }

    void folderWithCommaOrSemicolonIsReadWhole_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("comma") << "archivi,2004";
        QTest::newRow("semicolon") << "archivi;2004";
    }
    void folderWithCommaOrSemicolonIsReadWhole() {
        QFETCH(QString, folder);
        addSampleDeclarants();
        const QString archives = QFileInfo(h->archive.archives()).dir().filePath(folder);
        QVERIFY(QDir().rename(h->archive.archives(), archives));
        // Written by hand, without quotes, as the README shows.
        QFile file(QSettings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN")
                       .fileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(("[General]\nPERCORSOARCHIVI=" + archives +
                    "\nPERCORSOPROGRAMMI=" + h->archive.programs() + "\n")
                       .toUtf8());
        file.close();
        h->start();
        QCOMPARE(h->boxes.boxes.size(), 0);
        QCOMPARE(h->mod.DIRARCHIVI, archives);
        QCOMPARE(h->window->List1->count(), 3);
    }

    void missingTemplateEndsWithMessageTwoEvenWithTheYearDatabase() {
        addSampleDeclarants();
        const QByteArray before = fileBytes(h->archive.yearPath());
        QFile::remove(h->archive.templatePath());
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        QCOMPARE(h->boxes.boxes.size(), 1);
        QCOMPARE(h->boxes.boxes[0].text,
                 QStringLiteral("Attenzione !!!!") + CR13 + QStringLiteral("Non esiste file ") +
                     h->archive.archives() + QStringLiteral("\\S774XXXX.MDB") + CR13 +
                     QStringLiteral("Contattare la Tarvessi servizi"));
        QCOMPARE(h->boxes.boxes[0].style, 16);
        QCOMPARE(h->boxes.boxes[0].title,
                 QStringLiteral(" Gestione Modello 770/2004 (Semplificato) - "));
        QCOMPARE(h->platform.endings, QList<int>{0});
        QCOMPARE(fileBytes(h->archive.yearPath()), before);
    }

    void missingYearDatabaseIsCopiedFromTheTemplate() {
        QFile::remove(h->archive.yearPath());
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        QVERIFY(QFile::exists(h->archive.yearPath()));
        QCOMPARE(fileBytes(h->archive.yearPath()), fileBytes(h->archive.templatePath()));
        // the copy is empty: the front-page check sends the user back to the suite
        QCOMPARE(h->boxes.boxes.size(), 1);
        QVERIFY(
            h->boxes.boxes[0].text.startsWith(QStringLiteral("Inserire prima il frontespizio")));
    }

    void emptyFrontPageShowsMessageThreeAndHandsBack_data() {
        QTest::addColumn<bool>("suiteRunning");
        QTest::newRow("suite window open") << true;
        QTest::newRow("suite not running") << false;
    }
    void emptyFrontPageShowsMessageThreeAndHandsBack() {
        QFETCH(bool, suiteRunning);
        if (suiteRunning)
            h->platform.windows << QStringLiteral("7702004");
        bool shownDuringMessage = false;
        h->boxes.whileShown = [&](const RecordingMessageBoxes::Box&) {
            shownDuringMessage = h->window->isVisible();
        };
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        QCOMPARE(h->boxes.boxes.size(), 1);
        QCOMPARE(h->boxes.boxes[0].text,
                 QStringLiteral("Inserire prima il frontespizio per accedere al programma") + CR13 +
                     CR13 + h->window->windowTitle().trimmed());
        QCOMPARE(h->boxes.boxes[0].style, 64);
        QCOMPARE(h->boxes.boxes[0].title, QStringLiteral("Controlli 770/2004 semplificato"));
        QVERIFY(shownDuringMessage);
        QVERIFY(!h->mod.TABFRONTESPIZIO);
        QVERIFY(!h->mod.TABQUADROSX);
        QCOMPARE(h->platform.activated, QStringList{"7702004"});
        QCOMPARE(h->platform.started, suiteRunning
                                          ? QStringList()
                                          : QStringList{h->archive.programs() + "/7702004.EXE"});
        QCOMPARE(h->platform.endings, QList<int>{0});
    }

    void damagedYearDatabaseIsReportedAndLeftAsItWas_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("MDB of another program\r\n", 25);
        QTest::newRow("random bytes") << QByteArray(2048, '\xA7');
    }
    void damagedYearDatabaseIsReportedAndLeftAsItWas() {
        QFETCH(QByteArray, content);
        QFile file(h->archive.yearPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        QCOMPARE(h->boxes.boxes.size(), 1);
        QVERIFY(h->boxes.boxes[0].text.startsWith(QStringLiteral("Errore n. 26")));
        QVERIFY(h->boxes.boxes[0].text.size() > QStringLiteral("Errore n. 26").size() + 2);
        QCOMPARE(h->boxes.boxes[0].style, 16);
        QCOMPARE(h->platform.endings, QList<int>{1});
        QCOMPARE(fileBytes(h->archive.yearPath()), content);
        QCOMPARE(filesIn(h->archive.archives()), (QStringList{"S7702004.MDB", "S774XXXX.MDB"}));
    }

    void secondCopyEndsSilentlyBeforeTouchingAnyFile() {
        QFile::remove(h->archive.yearPath());
        h->platform.otherCopy = true;
        h->start();
        QVERIFY(h->boxes.boxes.isEmpty());
        QCOMPARE(h->platform.endings, QList<int>{0});
        QVERIFY(!QFile::exists(h->archive.yearPath()));
    }

    void exitHandsBackToTheSuite_data() {
        QTest::addColumn<QString>("programs");
        QTest::addColumn<bool>("suiteRunning");
        QTest::addColumn<QStringList>("started");
        QTest::newRow("suite window found") << "/suite/programmi" << true << QStringList();
        QTest::newRow("suite started")
            << "/suite/programmi" << false << QStringList{"/suite/programmi/7702004.EXE"};
        QTest::newRow("no programs folder") << "" << false << QStringList{"/7702004.EXE"};
    }
    void exitHandsBackToTheSuite() {
        QFETCH(QString, programs);
        QFETCH(bool, suiteRunning);
        QFETCH(QStringList, started);
        addSampleDeclarants();
        h->archive.writeSettings(h->archive.archives(), programs);
        if (suiteRunning)
            h->platform.windows << QStringLiteral("7702004");
        h->start();
        QTest::mouseClick(h->window->cmduscita(1), Qt::LeftButton);
        QVERIFY(!h->window->isVisible());
        QCOMPARE(h->platform.activated, QStringList{"7702004"});
        QCOMPARE(h->platform.started, started);
        QCOMPARE(h->platform.endings, QList<int>{0});
        QVERIFY(!h->mod.DBARCHIVIO->isOpen());
        QVERIFY(h->boxes.boxes.isEmpty());
    }

    void startUpNeverChangesTheUsersData() {
        addSampleDeclarants();
        const QByteArray before = fileBytes(h->archive.yearPath());
        h->start();
        QTest::mouseClick(h->window->Option2(2), Qt::LeftButton);
        QTest::mouseClick(h->window->cmduscita(1), Qt::LeftButton);
        QCOMPARE(fileBytes(h->archive.yearPath()), before);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

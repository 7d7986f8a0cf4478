#include "windowharness.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

// Starting the program from the suite, and handing back to it.

namespace {

enum class Situation { Ready, NoSettings, NoTemplate, NoYearDatabase, EmptyFrontPage, OtherCopy };

} // namespace

Q_DECLARE_METATYPE(Situation)

class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QStringList companies() {
        QStringList codes;
        for (int i = 0; i < h->window->List1->count(); ++i)
            codes << h->window->List1->item(i)->text().left(3);
        return codes;
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        // Tax codes and names sort in the opposite order of the company codes.
        h->archive.addDeclarant("001", "ZZZ", "ZETA", "A", "ZETA SRL", QVariant());
        h->archive.addDeclarant("003", "AAA", QVariant(), QVariant(), "alfa srl", "");
        h->archive.addDeclarant("002", "MMM", "MEDI", "A", QVariant(), "M");
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void startUp_data() {
        QTest::addColumn<Situation>("situation");
        QTest::addColumn<QString>("shown"); // the one message, with its style and title
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("files"); // the archives folder afterwards

        const QStringList both{"S7702004.MDB", "S774XXXX.MDB"};
        QTest::newRow("ready") << Situation::Ready << "" << 0 << "" << both;
        QTest::newRow("no settings")
            << Situation::NoSettings
            << "Non trovata procedura Zavirten\r\rContattare Tarvessi Servizi" << 16
            << "Controllo procedura 770/2004 Semplificato" << QStringList{"S774XXXX.MDB"};
        QTest::newRow("no template")
            << Situation::NoTemplate
            << "Attenzione !!!!\rNon esiste file %1\\S774XXXX.MDB\rContattare "
               "la Tarvessi servizi"
            << 16 << " Gestione Modello 770/2004 (Semplificato) - " << QStringList{"S7702004.MDB"};
        const QString noFrontPage =
            QStringLiteral("Inserire prima il frontespizio per accedere al programma\r\r") +
            Shown::caption.trimmed();
        QTest::newRow("year's database copied from the template, empty")
            << Situation::NoYearDatabase << noFrontPage << 64 << "Controlli 770/2004 semplificato"
            << both;
        QTest::newRow("empty front page") << Situation::EmptyFrontPage << noFrontPage << 64
                                          << "Controlli 770/2004 semplificato" << both;
        QTest::newRow("another copy running")
            << Situation::OtherCopy << "" << 0 << "" << QStringList{"S774XXXX.MDB"};
    }
    void startUp() {
        QFETCH(Situation, situation);
        QFETCH(QString, shown);
        QFETCH(int, style);
        QFETCH(QString, title);
        QFETCH(QStringList, files);

        const QByteArray before = fileBytes(h->archive.yearPath());
        if (situation == Situation::NoSettings || situation == Situation::NoYearDatabase ||
            situation == Situation::OtherCopy)
            QFile::remove(h->archive.yearPath());
        if (situation == Situation::NoSettings)
            h->archive.removeSettings();
        if (situation == Situation::NoTemplate)
            QFile::remove(h->archive.templatePath());
        if (situation == Situation::EmptyFrontPage)
            h->archive.exec(QStringLiteral("DELETE FROM FRONTESPIZIO"));
        h->platform.otherCopy = situation == Situation::OtherCopy;
        if (!shown.isEmpty())
            h->boxes.answer({MessageBoxes::Ok});
        h->start(QStringLiteral("/R  4.2.1  "));

        shown.replace(QLatin1String("%1"), h->archive.archives());
        QCOMPARE(h->boxes.texts(), shown.isEmpty() ? QStringList() : QStringList{shown});
        if (!shown.isEmpty()) {
            QCOMPARE(h->boxes.boxes.first().style, style);
            QCOMPARE(h->boxes.boxes.first().title, title);
        }
        QCOMPARE(QDir(h->archive.archives()).entryList(QDir::Files), files);
        if (situation == Situation::NoTemplate)
            QCOMPARE(fileBytes(h->archive.yearPath()), before);
        if (situation != Situation::Ready) {
            QCOMPARE(h->platform.endings, QList<int>{0});
            return;
        }
        QCOMPARE(h->window->StatusPanel1->text(), QStringLiteral("Release 4.2.1"));
        QCOMPARE(h->window->pos(), QPoint((1280 - 808) / 2, (1024 - 608) / 2));
        QCOMPARE(h->window->List1->item(1)->text(),
                 "002 " + QString("MMM").leftJustified(16) + " MEDI A");
        // Each sort option refills the list at once, nothing chosen.
        for (const auto& [option, order] :
             QList<std::pair<int, QStringList>>{{1, {"003", "002", "001"}},
                                                {2, {"003", "002", "001"}},
                                                {0, {"001", "002", "003"}}}) {
            h->window->List1->setCurrentRow(1);
            h->click(h->window->Option2(option));
            QCOMPARE(companies(), order);
            QCOMPARE(h->window->List1->selectedItems().size(), 0);
        }
        QCOMPARE(fileBytes(h->archive.yearPath()), before);
    }

    void exitHandsBackToTheSuite_data() {
        QTest::addColumn<bool>("suiteRunning");
        QTest::addColumn<QStringList>("started");
        QTest::newRow("suite window found") << true << QStringList();
        QTest::newRow("suite started") << false << QStringList{"/suite/programmi/7702004.EXE"};
    }
    void exitHandsBackToTheSuite() {
        QFETCH(bool, suiteRunning);
        QFETCH(QStringList, started);
        h->archive.writeSettings(h->archive.archives(), QStringLiteral("/suite/programmi"));
        if (suiteRunning)
            h->platform.windows << QStringLiteral("7702004");
        h->start();
        h->click(h->window->cmduscita(1));
        QVERIFY(!h->window->isVisible());
        QCOMPARE(h->platform.activated, QStringList{"7702004"});
        QCOMPARE(h->platform.started, started);
        QCOMPARE(h->platform.endings, QList<int>{0});
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

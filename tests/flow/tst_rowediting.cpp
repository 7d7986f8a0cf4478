#include "windowharness.h"

#include "editor/amount.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

// Typing into the real boxes, and leaving a region row with each button and each answer.

namespace {

constexpr int Yes = MessageBoxes::Yes;
constexpr int No = MessageBoxes::No;
constexpr int Cancel = MessageBoxes::Cancel;
constexpr int lazio = 8; // SX13 in the region list, row key "010"

} // namespace

class TestRowEditing : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }
    QString shown(int box) { return LibrAgg770::formatAmountText(w()->Text1(box)->text()); }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
        QList<QVariantList> rows{{"001", "0", "10,00", "0", "0", "0", "0", "0", "0", "0", "0"}};
        for (int i = 2; i <= 31; ++i)
            rows << QVariantList{WindowHarness::seq(i),
                                 "0",
                                 i == 10 ? "10" : "0",
                                 "0",
                                 "0",
                                 "0",
                                 "0",
                                 "0",
                                 "0",
                                 "0",
                                 "0"};
        h->storeRows("001", "RSSMRA80A01H501U", rows);
        h->startAndChoose("001");
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void typing_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("left"); // shown once the box is left
        QTest::newRow("period becomes comma") << 1 << "1.5"
                                              << "1,50";
        QTest::newRow("letters ignored") << 1 << "1a2"
                                         << "12,00";
        QTest::newRow("backspace clears a shown amount") << 2 << "\b7"
                                                         << "7,00";
        QTest::newRow("a shown amount takes no digit") << 2 << "7"
                                                       << "10,00";
    }
    void typing() {
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(QString, left);
        h->type(w()->Text1(box), keys);
        w()->Text1(box + 1)->setFocus(Qt::TabFocusReason);
        QCOMPARE(w()->Text1(box)->text(), left);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
    }

    void leavingARow_data() {
        QTest::addColumn<bool>("clear"); // "Elimina importi", else "Annulla inserimento"
        QTest::addColumn<bool>("open");  // the row opened and "7" typed, else only clicked
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("asked"); // the first line of each message
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("box1"); // SX13 box 1 afterwards
        QTest::addColumn<QString>("sx4");  // SX4 box 1 afterwards

        const QString save = QStringLiteral("Sono state effettuate delle variazioni");
        const QString clearRow = QStringLiteral("Vuoi cancellare i valori della riga corrente ?");
        const QString recalc = QStringLiteral("Vuoi ricalcolare gli importi?");
        QTest::newRow("cancel, nothing typed")
            << false << false << QList<int>{} << QStringList{} << false << "10,00"
            << "10,00";
        QTest::newRow("cancel, Cancel keeps what was typed")
            << false << true << QList<int>{Cancel} << QStringList{save} << true << "7,00"
            << "10,00";
        QTest::newRow("cancel, No drops it")
            << false << true << QList<int>{No} << QStringList{save} << false << "10,00"
            << "10,00";
        QTest::newRow("cancel, Yes confirms it")
            << false << true << QList<int>{Yes, No} << QStringList{save, Shown::box6Offer} << false
            << "7,00"
            << "10,00";
        QTest::newRow("clear, totals recalculated")
            << true << false << QList<int>{Yes, Yes} << QStringList{clearRow, recalc} << false
            << "0,00"
            << "0,00";
        QTest::newRow("clear an open row, totals left")
            << true << true << QList<int>{Yes, No} << QStringList{clearRow, recalc} << false
            << "0,00"
            << "10,00";
        QTest::newRow("clear, No")
            << true << false << QList<int>{No} << QStringList{clearRow} << false << "10,00"
            << "10,00";
    }
    void leavingARow() {
        QFETCH(bool, clear);
        QFETCH(bool, open);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, staysOpen);
        QFETCH(QString, box1);
        QFETCH(QString, sx4);
        if (open) {
            h->openRegionRow(lazio);
            h->type(w()->Text1(12), QStringLiteral("\b7"));
        } else {
            h->clickRegionRow(lazio);
        }
        h->boxes.answer(answers);
        h->click(clear ? w()->cmdelimina : w()->Cmdannulla);
        QStringList firstLines;
        for (const QString& text : h->boxes.texts())
            firstLines << text.section(QLatin1Char('\r'), 0, 0);
        QCOMPARE(firstLines, asked);
        QCOMPARE(w()->Frameimporti->isEnabled(), staysOpen);
        if (!staysOpen)
            h->clickRegionRow(lazio);
        QCOMPARE(shown(12), box1);
        QCOMPARE(w()->Text1(2)->text(), sx4);
    }
};

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

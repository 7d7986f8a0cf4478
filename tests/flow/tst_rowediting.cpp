#include "windowharness.h"

#include "editor/amount.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

// Leaving a region row with each button and each answer.

namespace {

constexpr int Yes = MessageBoxes::Yes, No = MessageBoxes::No, Cancel = MessageBoxes::Cancel;
constexpr int lazio = 8; // SX13 in the region list, row key "010"

} // namespace

class TestRowEditing : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }
    QString amount(int box) { return LibrAgg770::formatAmountText(w()->Text1(box)->text()); }

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

    // The button; the row opened and "7" typed, else only clicked; the answers (Yes, No, Cancel);
    // the messages (s: save the changes, 6: automatic box 6, c: clear the row, r: recalculate);
    // the row still open; SX13 box 1 and SX4 box 1 afterwards.
    void leavingARow_data() {
        QTest::addColumn<bool>("clear");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("boxes");
        const struct {
            const char* name;
            bool clear, open;
            const char *answers, *asked;
            bool staysOpen;
            const char* boxes;
        } cases[] = {
            {"cancel, nothing typed", false, false, "", "", false, "10,00 10,00"},
            {"cancel, Cancel keeps the typing", false, true, "C", "s", true, "7,00 10,00"},
            {"cancel, No drops it", false, true, "N", "s", false, "10,00 10,00"},
            {"cancel, Yes confirms it", false, true, "YN", "s6", false, "7,00 10,00"},
            {"clear, totals recalculated", true, false, "YY", "cr", false, "0,00 0,00"},
            {"clear an open row, totals left", true, true, "YN", "cr", false, "0,00 10,00"},
            {"clear, No", true, false, "N", "c", false, "10,00 10,00"}};
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.clear << c.open << c.answers << c.asked << c.staysOpen
                                  << c.boxes;
    }
    void leavingARow() {
        QFETCH(bool, clear);
        QFETCH(bool, open);
        QFETCH(QString, answers);
        QFETCH(QString, asked);
        QFETCH(bool, staysOpen);
        QFETCH(QString, boxes);
        if (open) {
            h->openRegionRow(lazio);
            h->type(w()->Text1(12), QStringLiteral("\b7"));
        } else {
            h->clickRegionRow(lazio);
        }
        for (const QChar answer : answers)
            h->boxes.answer({answer == 'Y' ? Yes : answer == 'N' ? No : Cancel});
        h->click(clear ? w()->cmdelimina : w()->Cmdannulla);
        const QHash<QString, QChar> keys{{"Sono state effettuate delle variazioni", 's'},
                                         {Shown::box6Offer, '6'},
                                         {"Vuoi cancellare i valori della riga corrente ?", 'c'},
                                         {"Vuoi ricalcolare gli importi?", 'r'}};
        QString shown;
        for (const QString& text : h->boxes.texts())
            shown += keys.value(text.section('\r', 0, 0), '?');
        QCOMPARE(shown, asked);
        QCOMPARE(w()->Frameimporti->isEnabled(), staysOpen);
        if (!staysOpen)
            h->clickRegionRow(lazio);
        QCOMPARE(amount(12) + ' ' + w()->Text1(2)->text(), boxes);
    }
};

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

#include "windowharness.h"

#include "editor/amount.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
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
        for (int i = 2; i <= 31; ++i) {
            rows << QVariantList(11, QStringLiteral("0"));
            rows.last()[0] = WindowHarness::seq(i);
            rows.last()[2] = i == 10 ? QStringLiteral("10") : QStringLiteral("0");
        }
        h->storeRows("001", "RSSMRA80A01H501U", rows);
        h->startAndChoose("001");
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    // The 14 characters limit typing and pasting only: a column sum with 12 integer digits
    // is shown and stored whole.
    void aLongSumIsKeptWhole() {
        h->archive.exec("UPDATE QUADROSX SET SX_2 = '9999999999,99' WHERE SEQ <> '001'");
        h->click(w()->cmdselprec(1));
        h->open("001");
        h->click(w()->Cmdtotali);
        QCOMPARE(w()->Text1(2)->text(), QStringLiteral("299999999999,70"));
        h->click(w()->cmdmemorizza);
        QCOMPARE(h->archive.rows("SELECT SX_2 FROM QUADROSX WHERE SEQ = '001'"),
                 QList<QStringList>{{"299999999999,70"}});
        QApplication::clipboard()->setText(QStringLiteral("1234567890123456"));
        w()->Text1(1)->paste(); // as the context menu's "Incolla" does
        QCOMPARE(w()->Text1(1)->text(), QStringLiteral("0,00"));
    }

    // The button; the keys typed in box 1 of the row opened ("-": only clicked, '\x7f' Delete);
    // the answers (Yes, No, Cancel); the messages (s: save the changes, 6: automatic box 6,
    // c: clear the row, r: recalculate); the row still open; SX13 box 1 and SX4 box 1 afterwards.
    void leavingARow_data() {
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("boxes");
        const struct {
            const char* name;
            bool clear;
            const char *keys, *answers, *asked;
            bool staysOpen;
            const char* boxes;
        } cases[] = {
            {"cancel, nothing typed", false, "-", "", "", false, "10,00 10,00"},
            {"cancel, Delete is no change", false, "\x7f", "", "", false, "10,00 10,00"},
            {"cancel, Cancel keeps the typing", false, "\b7", "C", "s", true, "7,00 10,00"},
            {"cancel, No drops it", false, "\b7", "N", "s", false, "10,00 10,00"},
            {"cancel, Yes confirms it", false, "\b7", "YN", "s6", false, "7,00 10,00"},
            {"clear, totals recalculated", true, "-", "YY", "cr", false, "0,00 0,00"},
            {"clear an open row, totals left", true, "\b7", "YN", "cr", false, "0,00 10,00"},
            {"clear, No", true, "-", "N", "c", false, "10,00 10,00"}};
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.clear << c.keys << c.answers << c.asked << c.staysOpen
                                  << c.boxes;
    }
    void leavingARow() {
        QFETCH(bool, clear);
        QFETCH(QString, typed);
        QFETCH(QString, answers);
        QFETCH(QString, asked);
        QFETCH(bool, staysOpen);
        QFETCH(QString, boxes);
        if (typed == "-") {
            h->clickRegionRow(lazio);
        } else {
            h->openRegionRow(lazio);
            h->type(w()->Text1(12), typed);
        }
        for (const QChar answer : answers)
            h->boxes.answer({answer == 'Y' ? Yes : answer == 'N' ? No : Cancel});
        h->click(clear ? w()->cmdelimina : w()->Cmdannulla);
        const QHash<QString, QChar> keys{
            {"Sono state effettuate delle variazioni", 's'},
            {"Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede il rimborso",
             '6'},
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

    // Tabbing into the list makes its first line current without choosing it.
    void onlyTheUsersChoiceShowsARow() {
        QWidget* list = w()->List2;
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(w()->Label2(18)->text(), QString());
        QVERIFY(!w()->cmdelimina->isEnabled());
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(w()->Label2(18)->text() + w()->SEQCORRENTE, QStringLiteral("SX5 002"));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(w()->Label2(18)->text() + w()->SEQCORRENTE, QStringLiteral("SX6 003"));
        QVERIFY(w()->cmdelimina->isEnabled());
    }
};

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

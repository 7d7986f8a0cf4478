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

    // A click anywhere in SX4 box 1 puts the caret after its 10,00, so Delete (with its X11
    // character) removes nothing; Ctrl+Backspace is a character refused, yet a change.
    void keysAfterAClickIntoABox() {
        QLineEdit* box = w()->Text1(2);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Delete, QString(QChar(0x7f)), {});
        QCOMPARE(box->text() + QString::number(w()->mod().FLAGVARIAZIONI), "10,000");
        QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(box->text() + QString::number(w()->mod().FLAGVARIAZIONI), "10,001");
    }

    // What the region list shows for each gesture (tab, space, down, a typed character, and
    // press, move, release, right, rightdouble on a line): the row label, the current
    // line, "E" when "Elimina importi" is available and "O" when a row is open. Only a left
    // release over a line or a line the keys select is a click.
    void gesturesOnTheRegionList_data() {
        QTest::addColumn<QString>("script"); // the gestures => what is shown
        QTest::newRow("tab, then Space") << "tab space => |0|";
        QTest::newRow("tab, then Down") << "tab down => SX6 |1|E";
        QTest::newRow("press drifting to the next line") << "press:8 move:9 release:9 => SX14|9|E";
        QTest::newRow("right click") << "right:8 => |-1|";
        QTest::newRow("right double click") << "rightdouble:8 => |-1|";
        QTest::newRow("one letter at a time") << "press:0 release:0 S X 1 => SX6 |1|E";
    }
    void gesturesOnTheRegionList() {
        QFETCH(QString, script);
        QListWidget* list = w()->List2;
        for (const QString& gesture : script.section(" => ", 0, 0).split(' ')) {
            const QString name = gesture.section(':', 0, 0);
            const QPoint at =
                list->visualItemRect(list->item(gesture.section(':', 1).toInt())).center();
            if (name == "tab")
                list->setFocus(Qt::TabFocusReason);
            else if (name == "space" || name == "down")
                QTest::keyClick(list, name == "space" ? Qt::Key_Space : Qt::Key_Down);
            else if (name.size() == 1)
                QTest::keyClick(list, name.at(0).toLatin1());
            else if (name == "press")
                QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
            else if (name == "move")
                QTest::mouseMove(list->viewport(), at);
            else if (name == "release")
                QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
            else
                QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
            if (name == "rightdouble")
                QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, at);
        }
        QCOMPARE(QStringList({w()->Label2(18)->text(), QString::number(list->currentRow()),
                              QString(w()->cmdelimina->isEnabled() ? "E" : "") +
                                  (w()->Frameimporti->isEnabled() ? "O" : "")})
                     .join('|'),
                 script.section(" => ", 1));
    }
};

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

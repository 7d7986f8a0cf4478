#include "windowharness.h"

#include "editor/amount.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// Leaving a region row with each button and each answer.

namespace {

constexpr int Yes = MessageBoxes::Yes, No = MessageBoxes::No, Ok = MessageBoxes::Ok,
              Cancel = MessageBoxes::Cancel;
constexpr int lazio = 8; // SX13 in the region list, row key "010"

} // namespace

class TestRowEditing : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }
    QString amount(int box) { return LibrAgg770::formatAmountText(w()->Text1(box)->text()); }
    // SX1, SX35 "VA", the list, the row's three buttons, storing, printing, totals, other
    // declarant: 1 where enabled.
    QString enabled() {
        QString states;
        for (const QWidget* control : std::initializer_list<const QWidget*>{
                 w()->Text1(1), w()->Check1(8), w()->List2, w()->cmdconferma, w()->Cmdannulla,
                 w()->cmdelimina, w()->cmdmemorizza, w()->CmdStLista, w()->Cmdtotali,
                 w()->cmdselprec(1)})
            states += control->isEnabled() ? '1' : '0';
        return states;
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
        QList<QVariantList> rows{{"001", "0", "10,00", "0", "0", "0", "0", "5", "0", "0", "0"}};
        for (int i = 2; i <= 31; ++i) {
            rows << QVariantList(11, QStringLiteral("0"));
            rows.last()[0] = WindowHarness::seq(i);
            rows.last()[2] = i == 10 ? QStringLiteral("10") : QStringLiteral("0");
            rows.last()[7] = i == 10 ? QStringLiteral("5") : QStringLiteral("0");
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
        h->type(w()->Text1(2), "-"); // handed on by the filter, refused by the full box
        QCOMPARE(w()->Text1(2)->text(), QStringLiteral("299999999999,70"));
        QApplication::clipboard()->setText(QStringLiteral("1234567890123456"));
        w()->Text1(1)->paste(); // as the context menu's "Incolla" does
        QCOMPARE(w()->Text1(1)->text(), QStringLiteral("0,00"));
    }

    // The button (a: cancel, e: clear, t: totals, u: leave the program); the keys typed in box 1 of
    // the row opened ("-": only clicked, '\x7f' Delete); the answers (Yes, No, Ok, Cancel), the
    // last one to "Altra Azienda" pressed afterwards; the messages (s: save the changes, 6:
    // automatic box 6, i: box 6 set to zero, w: a row rule, c: clear the row, r: recalculate); the
    // row afterwards (o: open, c: closed, s: only shown); SX13 boxes 1 and 6, SX4 box 1 and the
    // row's yellow boxes afterwards.
    void leavingARow_data() {
        QTest::addColumn<char>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<char>("after");
        QTest::addColumn<QString>("boxes");
        const struct {
            const char* name;
            char button;
            const char *keys, *answers, *asked;
            char after;
            const char* boxes;
        } cases[] = {
            {"cancel, nothing typed", 'a', "", "", "", 'c', "10,00 5,00 10,00"},
            {"cancel, Delete is no change", 'a', "\x7f", "", "", 'c', "10,00 5,00 10,00"},
            {"cancel, Cancel keeps the emptied box", 'a', "\bx", "C", "s", 'o', "0,00 5,00 10,00"},
            {"cancel, No drops it", 'a', "\b7", "NC", "ss", 'c', "10,00 5,00 10,00"},
            {"cancel, Yes confirms it", 'a', "\b7", "YNC", "s6s", 'c', "7,00 5,00 10,00"},
            {"cancel, box 6 worked out to zero", 'a', "\b0", "YYOC", "s6is", 'c',
             "0,00 0,00 10,00"},
            {"cancel, eleven digits and decimals", 'a', "\b123456789012,345", "YNC", "s6s", 'c',
             "1234567890,34 5,00 10,00"},
            {"clear, totals recalculated", 'e', "-", "YYC", "crs", 'c', "0,00 0,00 0,00"},
            {"clear an open row, totals left", 'e', "\b7", "YNC", "crs", 'c', "0,00 0,00 10,00"},
            {"clear, No", 'e', "-", "N", "c", 's', "10,00 5,00 10,00"},
            {"totals recalculated are a change", 't', "-", "C", "s", 's', "10,00 5,00 10,00"},
            {"leave, rule 1 passed, rule 2 stops it", 'u', "\b-3", "YNYN", "s6ww", 'o',
             "-3,00 5,00 10,00 *5"}};
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.button << c.keys << c.answers << c.asked << c.after
                                  << c.boxes;
    }
    void leavingARow() {
        QFETCH(char, button);
        QFETCH(QString, typed);
        QFETCH(QString, answers);
        QFETCH(QString, asked);
        QFETCH(char, after);
        QFETCH(QString, boxes);
        if (typed == "-") {
            h->clickRegionRow(lazio);
        } else {
            h->openRegionRow(lazio);
            QCOMPARE(enabled(), QStringLiteral("0001110000"));
            h->type(w()->Text1(12), typed);
        }
        const QHash<QChar, int> codes{{'Y', Yes}, {'N', No}, {'O', Ok}, {'C', Cancel}};
        for (const QChar answer : answers)
            h->boxes.answer({codes.value(answer)});
        h->click(QHash<char, QWidget*>{
            {'a', w()->Cmdannulla}, {'e', w()->cmdelimina}, {'t', w()->Cmdtotali}}
                     .value(button, w()->cmduscita(0)));
        QCOMPARE(w()->Frameimporti->isEnabled(), after == 'o');
        if (after == 'c') { // no line chosen, the boxes at zero, the rest usable again
            QCOMPARE(enabled() + amount(12) + amount(17), QStringLiteral("11100011110,000,00"));
            QCOMPARE(w()->List2->selectedItems().size(), 0);
            h->clickRegionRow(lazio);
        }
        QString shown = amount(12) + ' ' + amount(17) + ' ' + w()->Text1(2)->text();
        for (int box = 12; box <= 17; ++box)
            if (w()->Text1(box)->palette().color(QPalette::Base) == Qt::yellow)
                shown += " *" + QString::number(box - 11);
        QCOMPARE(shown, boxes);
        h->click(w()->cmdselprec(1)); // asks only when something changed; Cancel stays
        const QHash<QString, QChar> keys{
            {"Sono state effettuate delle variazioni", 's'},
            {"Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede il rimborso",
             '6'},
            {"Attenzione !!!", 'i'},
            {"ATTENZIONE!!!!", 'w'},
            {"Vuoi cancellare i valori della riga corrente ?", 'c'},
            {"Vuoi ricalcolare gli importi?", 'r'}};
        QString questions;
        for (const QString& text : h->boxes.texts())
            questions += keys.value(text.section('\r', 0, 0), '?');
        QCOMPARE(questions, asked);
        QCOMPARE(w()->Frmmoduli(0)->isVisible(), asked.endsWith('s') || after == 'o');
        QVERIFY(w()->isVisible());
    }

    // FR_46 after storing SX1 typed and SX35 "SA" ticked or not: the schedule's amounts (10 + 5 in
    // SX13 and in SX4) and ticks add up to something other than zero, or not. No box is shown.
    void storedIndicator_data() {
        QTest::addColumn<QString>("sx1");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("indicator");
        QTest::newRow("negative") << "\b-50" << false << "1";
        QTest::newRow("zero") << "\b-30" << false << "0";
        QTest::newRow("zero with a tick") << "\b-30" << true << "1";
    }
    void storedIndicator() {
        QFETCH(QString, sx1);
        QFETCH(bool, tick);
        QFETCH(QString, indicator);
        h->type(w()->Text1(1), sx1);
        if (tick)
            h->click(w()->Check1(9));
        h->click(w()->cmdmemorizza);
        QCOMPARE(h->archive.rows("SELECT FR_46 FROM FRONTESPIZIO"),
                 QList<QStringList>{{indicator}});
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

    // What the schedule shows after each gesture (tab, space, down, a typed character; press,
    // move, release, click, double, right, rightdouble on a line; open a line; keys typed; confirm;
    // answer: the answers to script): the row label, the current line, box 1, "E" when "Elimina
    // importi" is available and "O" when a row is open, the control with the focus. Only a left
    // release over a line or a line the keys select is a click; the greyed list of an open row
    // takes nothing. A refused check gives the focus to its box; a closed row, to the list.
    void gesturesOnTheRegionList_data() {
        QTest::addColumn<QString>("script"); // the gestures => what is shown
        const char* cases[][2] = {
            {"tab, then Space", "tab space => |0|0,00||List2"},
            {"tab, then Down", "tab down => SX6 |1|0,00|E|List2"},
            {"press drifting to the next line",
             "press:8 move:9 release:9 => SX14|9|0,00|E|Text1_1"},
            {"right double click", "rightdouble:8 => |-1|0,00||Text1_1"},
            {"one letter at a time", "press:0 release:0 S X 1 => SX6 |1|0,00|E|List2"},
            {"rule 1 refused",
             "answer:NN open:8 keys:\b100\t\b150 confirm => SX13|8|100,00|EO|Text1_13"},
            {"rule 3 refused", "answer:NYN open:8 keys:\b1 confirm => SX13|8|1,00|EO|Text1_17"},
            {"row confirmed", "answer:N open:8 confirm => |-1|0,00||List2"}};
        for (const auto& [name, script] : cases)
            QTest::newRow(name) << QString(script);
        const char* greyed[][2] = {{"click another line", "click:9"},
                                   {"click the open line", "click:8"},
                                   {"double-click another line", "double:9"},
                                   {"double-click the open line", "double:8"},
                                   {"drag to another line", "press:8 move:9 release:9"},
                                   {"drag to the open line", "press:9 move:8 release:8"},
                                   {"keys", "down S space right:9 rightdouble:9"}};
        for (const auto& [name, gestures] : greyed)
            QTest::newRow(name)
                << QStringLiteral("open:8 keys:\b7 %1 => SX13|8|7|EO|Text1_12").arg(gestures);
    }
    void gesturesOnTheRegionList() {
        QFETCH(QString, script);
        QListWidget* list = w()->List2;
        for (const QString& gesture : script.section(" => ", 0, 0).split(' ')) {
            const QString name = gesture.section(':', 0, 0), value = gesture.section(':', 1);
            const QPoint at = list->visualItemRect(list->item(value.toInt())).center();
            if (name == "answer")
                for (const QChar answer : value)
                    h->boxes.answer({answer == 'Y' ? Yes : No});
            else if (name == "open")
                h->openRegionRow(value.toInt());
            else if (name == "confirm")
                h->click(w()->cmdconferma);
            else if (name == "keys") // each to the control that has the focus then
                for (const QChar key : value)
                    QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
            else if (name == "click" || name == "double")
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            if (name == "double")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            else if (name == "tab")
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
            else if (name.startsWith("right"))
                QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
            if (name == "rightdouble")
                QTest::mouseDClick(list->viewport(), Qt::RightButton, {}, at);
        }
        QCOMPARE(
            QStringList(
                {w()->Label2(18)->text(), QString::number(list->currentRow()),
                 w()->Text1(12)->text().trimmed(),
                 QString(w()->cmdelimina->isEnabled() ? "E" : "") +
                     (w()->Frameimporti->isEnabled() ? "O" : ""),
                 QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none"})
                .join('|'),
            script.section(" => ", 1));
    }
};

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

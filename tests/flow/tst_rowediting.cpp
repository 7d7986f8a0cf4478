#include "support/windowharness.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Editing a region row of Schedule SX in the real window: opening, confirming with the row
// checks, cancelling, clearing, and the totals recalculation.

namespace {

using namespace Shown;

const QString company = QStringLiteral("001");
const QString taxCode = QStringLiteral("RSSMRA80A01H501U");

// Line 8 of the region list: SX13 LAZIO, row key "010".
constexpr int lazioLine = 8;
constexpr int lazioRow = 10;

const QString recalculate = QStringLiteral("Vuoi ricalcolare gli importi?");

QString clearQuestion(const QString& label) {
    return QStringLiteral("Vuoi cancellare i valori della riga corrente ?\r\r") +
           label.leftJustified(40);
}

const QColor yellow(255, 255, 0);
const QColor navy(0, 0, 128);
const QColor grey(64, 64, 64);

const QStringList zeros6 = {"0,00", "0,00", "0,00", "0,00", "0,00", "0,00"};

// Region rows stored for the declarant before the window starts: row key -> SX_2 to SX_7.
using StoredRows = QMap<QString, QStringList>;

// Row "001" and the region rows as another program of the suite stored them; SX_1..SX_10
// missing at the end are "0".
void store(WindowHarness& h, const StoredRows& regionRows, const QStringList& summary) {
    const auto row = [](const QString& seq, const QStringList& sx) {
        QVariantList values = {seq};
        for (int j = 1; j <= 10; ++j)
            values << (j - 1 < sx.size() ? sx.at(j - 1) : QStringLiteral("0"));
        return values;
    };
    QList<QVariantList> rows = {row(QStringLiteral("001"), summary)};
    for (auto it = regionRows.cbegin(); it != regionRows.cend(); ++it)
        rows << row(it.key(), QStringList{QStringLiteral("0")} + it.value());
    h.storeRows(company, taxCode, rows);
}

// Starts the program on one declarant and opens its schedule. The window is made active so
// that focus moves, and the amount boxes' focus events, happen as they do for a user.
void openSchedule(WindowHarness& h, const StoredRows& regionRows = {},
                  const QStringList& summary = {}) {
    h.archive.addDeclarant(company, taxCode, QStringLiteral("ROSSI"), QStringLiteral("MARIO"),
                           QString(), QStringLiteral("M"));
    if (!regionRows.isEmpty() || !summary.isEmpty())
        store(h, regionRows, summary);
    h.startAndChoose(company);
}

QLineEdit* rowBox(WindowHarness& h, int box) {
    return h.window->Text1(box + 11);
}

QStringList rowBoxTexts(WindowHarness& h) {
    QStringList texts;
    for (int box = 1; box <= 6; ++box)
        texts << rowBox(h, box)->text();
    return texts;
}

QStringList cells(WindowHarness& h, int row, int first = 2, int last = 7) {
    QStringList texts;
    for (int j = first; j <= last; ++j)
        texts << h.window->TABELLASX.cell(row, j);
    return texts;
}

QStringList sx4Texts(WindowHarness& h) {
    QStringList texts;
    for (int k = 2; k <= 7; ++k)
        texts << h.window->Text1(k)->text();
    return texts;
}

bool rowIsOpen(WindowHarness& h) {
    return h.window->Frameimporti->isEnabled();
}

// With QUADROSX_SCREENSHOTS naming a folder, the window is saved there as a person sees it.
void screenshot(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUADROSX_SCREENSHOTS");
    if (!folder.isEmpty())
        window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

class TestRowEditing : public QObject {
    Q_OBJECT

  private slots:
    void editorStates_data();
    void editorStates();
    void confirming_data();
    void confirming();
    void computedBox6LosesItsMarkEvenWhenUnchanged();
    void damagedBoxesAreTakenAsZero_data();
    void damagedBoxesAreTakenAsZero();
    void cancelling_data();
    void cancelling();
    void cancelAfterRefusedConfirmationKeepsRowOpenOnce();
    void clearing_data();
    void clearing();
    void recalculatingTotals_data();
    void recalculatingTotals();
    void clickOnTheCurrentLineShowsItsRow_data();
    void clickOnTheCurrentLineShowsItsRow();
    void focusAloneShowsNoRowTheKeyboardDoes();
    void aMarkedBoxRewrittenWithItsOwnTextTurnsWhite();
};

enum Route { Chosen, Clicked, Opened, Confirmed, Cancelled, Cleared };

void TestRowEditing::editorStates_data() {
    QTest::addColumn<int>("route");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("clearEnabled");
    QTest::addColumn<QString>("rowCode");
    QTest::addColumn<int>("selectedLine");

    QTest::newRow("browsing after choosing the declarant")
        << int(Chosen) << false << false << "" << -1;
    QTest::newRow("browsing after a click on SX13")
        << int(Clicked) << false << true << "SX13" << lazioLine;
    QTest::newRow("row open after a double click")
        << int(Opened) << true << true << "SX13" << lazioLine;
    QTest::newRow("browsing after confirming") << int(Confirmed) << false << false << "" << -1;
    QTest::newRow("browsing after cancelling") << int(Cancelled) << false << false << "" << -1;
    QTest::newRow("browsing after clearing the open row")
        << int(Cleared) << false << false << "" << -1;
}

void TestRowEditing::editorStates() {
    QFETCH(int, route);
    QFETCH(bool, open);
    QFETCH(bool, clearEnabled);
    QFETCH(QString, rowCode);
    QFETCH(int, selectedLine);

    WindowHarness h;
    openSchedule(h);
    QUADROSX& w = *h.window;
    if (route == Clicked)
        h.clickRegionRow(lazioLine);
    if (route >= Opened)
        h.openRegionRow(lazioLine);
    if (route == Confirmed) {
        h.boxes.answer({MessageBoxes::No});
        h.click(w.cmdconferma);
    } else if (route == Cancelled) {
        h.click(w.Cmdannulla);
    } else if (route == Cleared) {
        h.boxes.answer({MessageBoxes::Yes, MessageBoxes::No});
        h.click(w.cmdelimina);
    }
    if (route == Opened)
        screenshot(&w, QStringLiteral("row-open"));

    QCOMPARE(w.Frameimporti->isEnabled(), open);
    for (int i = 12; i <= 17; ++i) {
        QCOMPARE(w.Text1(i)->isEnabled(), open);
        QCOMPARE(w.testate3(i)->palette().color(QPalette::WindowText), open ? navy : grey);
    }
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(w.Text1(i)->isEnabled(), !open);
    for (int i = 8; i <= 10; ++i)
        QCOMPARE(w.Check1(i)->isEnabled(), !open);
    QCOMPARE(w.List2->isEnabled(), !open);
    QCOMPARE(w.cmdconferma->isEnabled(), open);
    QCOMPARE(w.Cmdannulla->isEnabled(), open);
    QCOMPARE(w.cmdelimina->isEnabled(), clearEnabled);
    for (QPushButton* button : {w.cmdmemorizza, w.CmdStLista, w.Cmdtotali, w.cmdselprec(1)})
        QCOMPARE(button->isEnabled(), !open);
    QVERIFY(w.cmduscita(0)->isEnabled());
    QCOMPARE(w.Label2(18)->text(), rowCode);
    QCOMPARE(w.List2->currentRow(), selectedLine);
    if (open)
        QCOMPARE(QApplication::focusWidget(), w.Text1(12));
    QCOMPARE(h.boxes.unexpected, 0);
}

void TestRowEditing::confirming_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("styles");
    QTest::addColumn<int>("stopped");
    QTest::addColumn<int>("lastAnswer");
    QTest::addColumn<int>("refusedBox");
    // The row's cells once confirmed, or the boxes as left open after a refusal.
    QTest::addColumn<QStringList>("values");

    const int yes = MessageBoxes::Yes, no = MessageBoxes::No, ok = MessageBoxes::Ok;
    QTest::newRow("box 6 computed, positive, no message")
        << QStringList{"100", "20", "5", "10", "30", ""} << QList<int>{yes}
        << QStringList{box6Offer} << QList<int>{36} << 0 << yes << 0
        << QStringList{"100,00", "20,00", "5,00", "10,00", "30,00", "45,00"};
    QTest::newRow("box 6 computed as zero is announced and stays zero")
        << QStringList{} << QList<int>{yes, ok} << QStringList{box6Offer, box6BelowZero("0,00")}
        << QList<int>{36, 64} << 0 << yes << 0 << zeros6;
    QTest::newRow("box 6 computed below zero becomes zero")
        << QStringList{"100", "", "", "125", "", ""} << QList<int>{yes, ok}
        << QStringList{box6Offer, box6BelowZero("-25,00")} << QList<int>{36, 64} << 0 << yes << 0
        << QStringList{"100,00", "0,00", "0,00", "125,00", "0,00", "0,00"};
    QTest::newRow("rules see the computed box 6, not the typed one")
        << QStringList{"100", "", "", "", "30", "999"} << QList<int>{yes} << QStringList{box6Offer}
        << QList<int>{36} << 0 << yes << 0
        << QStringList{"100,00", "0,00", "0,00", "0,00", "30,00", "70,00"};
    QTest::newRow("box 6 offer refused keeps box 6 as typed")
        << QStringList{"100", "", "", "", "", "40"} << QList<int>{no} << QStringList{box6Offer}
        << QList<int>{36} << 0 << no << 0
        << QStringList{"100,00", "0,00", "0,00", "0,00", "0,00", "40,00"};
    QTest::newRow("equal bounds pass and box 4 takes no part")
        << QStringList{"100", "100", "50", "500", "20", "30"} << QList<int>{no}
        << QStringList{box6Offer} << QList<int>{36} << 0 << no << 0
        << QStringList{"100,00", "100,00", "50,00", "500,00", "20,00", "30,00"};
    QTest::newRow("rule 1 refused stops before rules 2 and 3")
        << QStringList{"100", "150"} << QList<int>{no, no} << QStringList{box6Offer, rule1}
        << QList<int>{36, 36} << 1 << no << 2
        << QStringList{"100,00", "150,00", "0,00", "0,00", "0,00", "0,00"};
    QTest::newRow("every warning accepted takes the row")
        << QStringList{"100", "150"} << QList<int>{no, yes, yes, yes}
        << QStringList{box6Offer, rule1, rule2, rule3} << QList<int>{36, 36, 36, 36} << 0 << yes
        << 0 << QStringList{"100,00", "150,00", "0,00", "0,00", "0,00", "0,00"};
    QTest::newRow("rule 2 refused")
        << QStringList{"100", "", "", "", "150", ""} << QList<int>{no, no}
        << QStringList{box6Offer, rule2} << QList<int>{36, 36} << 1 << no << 5
        << QStringList{"100,00", "0,00", "0,00", "0,00", "150,00", "0,00"};
    QTest::newRow("rule 3 refused after rule 2 accepted")
        << QStringList{"100", "", "", "", "", "150"} << QList<int>{no, yes, no}
        << QStringList{box6Offer, rule2, rule3} << QList<int>{36, 36, 36} << 1 << no << 6
        << QStringList{"100,00", "0,00", "0,00", "0,00", "0,00", "150,00"};
    QTest::newRow("a lone sign counts 0 in the rules and stays as typed")
        << QStringList{"-", "5"} << QList<int>{no, no} << QStringList{box6Offer, rule1}
        << QList<int>{36, 36} << 1 << no << 2
        << QStringList{"             -", "5,00", "0,00", "0,00", "0,00", "0,00"};
}

void TestRowEditing::confirming() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, styles);
    QFETCH(int, stopped);
    QFETCH(int, lastAnswer);
    QFETCH(int, refusedBox);
    QFETCH(QStringList, values);

    WindowHarness h;
    openSchedule(h);
    h.openRegionRow(lazioLine);
    h.typeBoxes(12, typed);
    h.boxes.answer(answers);
    h.boxes.whileShown = [&h](const RecordingMessageBoxes::Box& box) {
        if (box.text.startsWith(QLatin1String("ATTENZIONE!!!!")))
            screenshot(h.window.get(), QStringLiteral("row-check-warning"));
    };
    h.click(h.window->cmdconferma);

    h.compareBoxes(messages, styles);
    QCOMPARE(int(h.mod.FLAGBLOCCO), stopped);
    QCOMPARE(int(h.mod.RISPOSTA), lastAnswer);
    QCOMPARE(rowIsOpen(h), stopped == 1);
    if (stopped == 1) {
        QCOMPARE(rowBoxTexts(h), values);
        for (int box = 1; box <= 6; ++box)
            QCOMPARE(rowBox(h, box)->palette().color(QPalette::Base),
                     box == refusedBox ? yellow : QColor(Qt::white));
        QCOMPARE(QApplication::focusWidget(), rowBox(h, refusedBox));
        QCOMPARE(int(h.window->FLAGVARIAZRIGO), typed.isEmpty() ? 0 : 1);
        QCOMPARE(cells(h, lazioRow), QStringList(6, QStringLiteral("0")));
    } else {
        QCOMPARE(cells(h, lazioRow), values);
        QCOMPARE(int(h.window->FLAGVARIAZRIGO), 0);
        QCOMPARE(rowBoxTexts(h), zeros6);
        h.clickRegionRow(lazioLine);
        QCOMPARE(rowBoxTexts(h), values);
    }
}

void TestRowEditing::computedBox6LosesItsMarkEvenWhenUnchanged() {
    WindowHarness h;
    openSchedule(h);
    h.openRegionRow(lazioLine);
    // Box 6 at 150,00 breaks rule 3; with box 4 at -50 the computed box 6 is 150,00 again.
    h.typeBoxes(12, {"100", "", "", "-50", "", "150"});
    h.boxes.answer({MessageBoxes::No, MessageBoxes::Yes, MessageBoxes::No});
    h.click(h.window->cmdconferma);
    QCOMPARE(rowBox(h, 6)->palette().color(QPalette::Base), yellow);

    QColor box6DuringRule2;
    h.boxes.whileShown = [&](const RecordingMessageBoxes::Box& box) {
        if (box.text == rule2)
            box6DuringRule2 = rowBox(h, 6)->palette().color(QPalette::Base);
    };
    h.boxes.answer({MessageBoxes::Yes, MessageBoxes::Yes, MessageBoxes::Yes});
    h.click(h.window->cmdconferma);
    h.compareBoxes({box6Offer, rule2, rule3, box6Offer, rule2, rule3}, {36, 36, 36, 36, 36, 36});
    QCOMPARE(box6DuringRule2, QColor(Qt::white));
    QCOMPARE(cells(h, lazioRow),
             (QStringList{"100,00", "0,00", "0,00", "-50,00", "0,00", "150,00"}));
}

void TestRowEditing::damagedBoxesAreTakenAsZero_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("stored");

    // Leaving an emptied box writes the zero amount into it before the button acts.
    QTest::newRow("emptied box") << "empty"
                                 << "0,00";
    QTest::newRow("lone minus") << "-"
                                << "0";
    QTest::newRow("lone plus") << "+"
                               << "0";
    QTest::newRow("pasted text") << "paste"
                                 << "0";
}

void TestRowEditing::damagedBoxesAreTakenAsZero() {
    QFETCH(QString, damage);
    QFETCH(QString, stored);

    WindowHarness h;
    openSchedule(h, {{QStringLiteral("010"), {"1", "2", "3", "4", "5", "6"}}});
    h.openRegionRow(lazioLine);
    h.type(rowBox(h, 1), QStringLiteral("\b80"));
    QLineEdit* box3 = rowBox(h, 3);
    if (damage == QLatin1String("empty")) {
        h.type(box3, QString());
        box3->selectAll();
        box3->del(); // the box's context menu
        QCOMPARE(box3->text(), QString());
    } else if (damage == QLatin1String("paste")) {
        h.type(box3, QString());
        QApplication::clipboard()->setText(QStringLiteral("12a"));
        box3->selectAll();
        box3->paste(); // the box's context menu
        QCOMPARE(box3->text(), QStringLiteral("12a"));
    } else {
        h.type(box3, QStringLiteral("\b") + damage);
    }
    h.boxes.answer({MessageBoxes::No});
    h.click(h.window->cmdconferma);

    h.compareBoxes({box6Offer}, {36});
    QVERIFY(!rowIsOpen(h));
    QCOMPARE(cells(h, lazioRow), (QStringList{"80,00", "2,00", stored, "4,00", "5,00", "6,00"}));
}

void TestRowEditing::cancelling_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("styles");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("rowChanged");
    QTest::addColumn<QStringList>("rowCells");

    const int yes = MessageBoxes::Yes, no = MessageBoxes::No, cancel = MessageBoxes::Cancel;
    const QStringList stored = {"1", "2", "3", "4", "5", "6"};
    QTest::newRow("nothing typed closes without a question")
        << QStringList{} << QList<int>{} << QStringList{} << QList<int>{} << false << 0 << stored;
    QTest::newRow("Cancel keeps the row open with what was typed")
        << QStringList{"\b55"} << QList<int>{cancel} << QStringList{saveQuestion} << QList<int>{35}
        << true << 1 << stored;
    QTest::newRow("No drops what was typed")
        << QStringList{"\b55"} << QList<int>{no} << QStringList{saveQuestion} << QList<int>{35}
        << false << 0 << stored;
    QTest::newRow("Yes confirms the row")
        << QStringList{"\b55"} << QList<int>{yes, no} << QStringList{saveQuestion, box6Offer}
        << QList<int>{35, 36} << false << 0
        << QStringList{"55,00", "2,00", "3,00", "4,00", "5,00", "6,00"};
    QTest::newRow("Yes with a refused row check keeps the row open")
        << QStringList{"\b55", "\b99"} << QList<int>{yes, no, no}
        << QStringList{saveQuestion, box6Offer, rule1} << QList<int>{35, 36, 36} << true << 1
        << stored;
}

void TestRowEditing::cancelling() {
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, styles);
    QFETCH(bool, staysOpen);
    QFETCH(int, rowChanged);
    QFETCH(QStringList, rowCells);

    WindowHarness h;
    openSchedule(h, {{QStringLiteral("010"), {"1", "2", "3", "4", "5", "6"}}});
    h.openRegionRow(lazioLine);
    h.typeBoxes(12, typed);
    h.boxes.answer(answers);
    h.click(h.window->Cmdannulla);

    h.compareBoxes(messages, styles);
    QCOMPARE(rowIsOpen(h), staysOpen);
    QCOMPARE(int(h.window->FLAGVARIAZRIGO), rowChanged);
    QCOMPARE(cells(h, lazioRow), rowCells);
    // The boxes were left (and shown in their display form) when the button was clicked.
    if (staysOpen)
        QCOMPARE(rowBoxTexts(h).first(), QStringLiteral("55,00"));
    else
        QCOMPARE(rowBoxTexts(h), zeros6);
}

void TestRowEditing::cancelAfterRefusedConfirmationKeepsRowOpenOnce() {
    WindowHarness h;
    openSchedule(h);
    h.openRegionRow(lazioLine);
    h.typeBoxes(12, {"100", "150"});
    h.boxes.answer({MessageBoxes::No, MessageBoxes::No});
    h.click(h.window->cmdconferma);
    QCOMPARE(int(h.mod.FLAGBLOCCO), 1);

    h.boxes.answer({MessageBoxes::No});
    h.click(h.window->Cmdannulla);
    h.compareBoxes({box6Offer, rule1, saveQuestion}, {36, 36, 35});
    QVERIFY(rowIsOpen(h));
    QCOMPARE(int(h.window->FLAGVARIAZRIGO), 0);
    QCOMPARE(int(h.mod.FLAGBLOCCO), 1);
    QCOMPARE(rowBoxTexts(h), (QStringList{"100,00", "150,00", "0,00", "0,00", "0,00", "0,00"}));

    h.click(h.window->Cmdannulla);
    h.compareBoxes({box6Offer, rule1, saveQuestion}, {36, 36, 35});
    QVERIFY(!rowIsOpen(h));
    QCOMPARE(cells(h, lazioRow), QStringList(6, QStringLiteral("0")));
}

void TestRowEditing::clearing_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("openFirst");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QList<int>>("styles");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<QStringList>("rowCells");
    QTest::addColumn<QStringList>("sx4");
    QTest::addColumn<int>("scheduleChanged");
    QTest::addColumn<int>("rowChanged");
    QTest::addColumn<QStringList>("boxesAfter");

    const int yes = MessageBoxes::Yes, no = MessageBoxes::No;
    const QString lazio = clearQuestion(QStringLiteral("SX13 LAZIO"));
    const QStringList cleared(6, QStringLiteral("0"));
    const QStringList lazioStored = {"10,50", "1", "2", "3", "4", "5"};
    const QStringList sx4Loaded = {"10,00", "1,00", "2,00", "3,00", "4,00", "6,00"};
    const QStringList sx4WithoutLazio = {"-0,50", "0,00", "0,00", "0,00", "0,00", "1,00"};

    QTest::newRow("clicked row, totals left")
        << lazioLine << false << QList<int>{yes, no} << QStringList{lazio, recalculate}
        << QList<int>{20, 36} << false << cleared << sx4Loaded << 1 << 0 << zeros6;
    QTest::newRow("clicked row, totals recalculated")
        << lazioLine << false << QList<int>{yes, yes} << QStringList{lazio, recalculate}
        << QList<int>{20, 36} << false << cleared << sx4WithoutLazio << 1 << 0 << zeros6;
    QTest::newRow("a row of zeros still marks the schedule changed")
        << 1 << false << QList<int>{yes, no}
        << QStringList{clearQuestion(QStringLiteral("SX6  ABRUZZO")), recalculate}
        << QList<int>{20, 36} << false << cleared << sx4Loaded << 1 << 0 << zeros6;
    QTest::newRow("open row, totals recalculated drops its changes")
        << lazioLine << true << QList<int>{yes, yes} << QStringList{lazio, recalculate}
        << QList<int>{20, 36} << false << cleared << sx4WithoutLazio << 1 << 0 << zeros6;
    QTest::newRow("open row, totals left keeps its change flag")
        << lazioLine << true << QList<int>{yes, no} << QStringList{lazio, recalculate}
        << QList<int>{20, 36} << false << cleared << sx4Loaded << 1 << 1 << zeros6;
    QTest::newRow("clicked row, No changes nothing")
        << lazioLine << false << QList<int>{no} << QStringList{lazio} << QList<int>{20} << false
        << lazioStored << sx4Loaded << 0 << 0
        << QStringList{"10,50", "1,00", "2,00", "3,00", "4,00", "5,00"};
    QTest::newRow("open row, No changes nothing")
        << lazioLine << true << QList<int>{no} << QStringList{lazio} << QList<int>{20} << true
        << lazioStored << sx4Loaded << 1 << 1
        << QStringList{"7,00", "1,00", "2,00", "3,00", "4,00", "5,00"};
}

void TestRowEditing::clearing() {
    QFETCH(int, line);
    QFETCH(bool, openFirst);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QList<int>, styles);
    QFETCH(bool, staysOpen);
    QFETCH(QStringList, rowCells);
    QFETCH(QStringList, sx4);
    QFETCH(int, scheduleChanged);
    QFETCH(int, rowChanged);
    QFETCH(QStringList, boxesAfter);

    WindowHarness h;
    openSchedule(h,
                 {{QStringLiteral("002"), {"-0,50", "0", "0", "0", "0", "1"}},
                  {QStringLiteral("010"), {"10,50", "1", "2", "3", "4", "5"}}},
                 {"7", "10,00", "1,00", "2,00", "3,00", "4,00", "6,00"});
    QUADROSX& w = *h.window;
    const int row = line + 2;
    if (openFirst) {
        h.openRegionRow(line);
        h.type(rowBox(h, 1), QStringLiteral("\b7"));
    } else {
        h.clickRegionRow(line);
    }
    h.boxes.answer(answers);
    h.click(w.cmdelimina);

    h.compareBoxes(messages, styles);
    QCOMPARE(int(h.mod.RISPOSTA), answers.first());
    QCOMPARE(rowIsOpen(h), staysOpen);
    QCOMPARE(cells(h, row), rowCells);
    QCOMPARE(sx4Texts(h), sx4);
    QCOMPARE(w.Text1(1)->text(), QStringLiteral("7,00"));
    QCOMPARE(int(h.mod.FLAGVARIAZIONI), scheduleChanged);
    QCOMPARE(int(w.FLAGVARIAZRIGO), rowChanged);
    QCOMPARE(rowBoxTexts(h), boxesAfter);
    if (answers.first() == MessageBoxes::Yes) {
        QVERIFY(!w.cmdelimina->isEnabled());
        QCOMPARE(w.List2->currentRow(), -1);
    } else {
        QVERIFY(w.cmdelimina->isEnabled());
        QCOMPARE(w.List2->currentRow(), line);
    }
}

void TestRowEditing::recalculatingTotals_data() {
    QTest::addColumn<StoredRows>("rows");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<int>("scheduleChanged");
    // SX4 boxes (1-6) found differing from their column when the schedule was opened.
    QTest::addColumn<QList<int>>("markedAtLoad");

    QTest::newRow("all region rows zero") << StoredRows{} << zeros6 << 0 << QList<int>{};
    QTest::newRow("10,50 and -0,50 make 10,00")
        << StoredRows{{"002", {"10,50", "0", "0", "0", "0", "0"}},
                      {"031", {"-0,50", "0", "0", "0", "0", "0"}}}
        << QStringList{"10,00", "0,00", "0,00", "0,00", "0,00", "0,00"} << 1 << QList<int>{1};
    QTest::newRow("columns cancelling out leave the schedule unchanged")
        << StoredRows{{"002", {"5", "0", "0", "0", "0", "0"}},
                      {"003", {"0", "-5", "0", "0", "0", "0"}}}
        << QStringList{"5,00", "-5,00", "0,00", "0,00", "0,00", "0,00"} << 0 << QList<int>{1, 2};
    QTest::newRow("every column, damaged cells counting 0")
        << StoredRows{{"002", {"1", "2,5", "12a", "4", "-", "6"}},
                      {"020", {"1,25", "0,5", "3", "", "+", "1.000,50"}}}
        << QStringList{"2,25", "3,00", "3,00", "4,00", "0,00", "1006,50"} << 1
        << QList<int>{1, 2, 3, 4, 6};
}

void TestRowEditing::recalculatingTotals() {
    QFETCH(StoredRows, rows);
    QFETCH(QStringList, totals);
    QFETCH(int, scheduleChanged);
    QFETCH(QList<int>, markedAtLoad);

    WindowHarness h;
    openSchedule(h, rows, {"7", "99", "99", "99", "99", "99", "99", "1", "0", "0"});
    QUADROSX& w = *h.window;
    QList<int> marked;
    for (int k = 1; k <= 6; ++k)
        if (w.Text1(k + 1)->palette().color(QPalette::Base) == yellow)
            marked << k;
    QCOMPARE(marked, markedAtLoad);
    h.click(w.Cmdtotali);

    QCOMPARE(h.boxes.boxes.size(), 0);
    QCOMPARE(sx4Texts(h), totals);
    QCOMPARE(cells(h, 1), totals);
    for (int k = 2; k <= 7; ++k)
        QCOMPARE(w.Text1(k)->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(w.Text1(1)->text(), QStringLiteral("7,00"));
    QVERIFY(w.Check1(8)->isChecked());
    QCOMPARE(int(h.mod.FLAGVARIAZIONI), scheduleChanged);
    QCOMPARE(int(w.FLAGTOTALI), 0);
}

void TestRowEditing::clickOnTheCurrentLineShowsItsRow_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("click") << false;
    QTest::newRow("double click opens it with its amounts") << true;
}

void TestRowEditing::clickOnTheCurrentLineShowsItsRow() {
    QFETCH(bool, doubleClick);
    WindowHarness h;
    const QStringList lazio = {"100,00", "0,00", "0,00", "0,00", "0,00", "0,00"};
    openSchedule(h, {{"010", lazio}}, {"0", "100,00"});
    h.clickRegionRow(lazioLine);
    // Storing reloads the schedule: the boxes go back to zero, the line stays selected.
    h.click(h.window->Check1(8));
    h.click(h.window->cmdmemorizza);
    QCOMPARE(h.window->List2->currentRow(), lazioLine);
    QCOMPARE(rowBoxTexts(h), zeros6);
    if (doubleClick)
        h.openRegionRow(lazioLine);
    else
        h.clickRegionRow(lazioLine);
    QCOMPARE(rowBoxTexts(h), lazio);
    QCOMPARE(h.window->SEQCORRENTE, QStringLiteral("010"));
    QCOMPARE(rowIsOpen(h), doubleClick);
    QCOMPARE(h.boxes.boxes.size(), 0);
}

void TestRowEditing::focusAloneShowsNoRowTheKeyboardDoes() {
    WindowHarness h;
    openSchedule(h, {{"002", {"7,00", "0", "0", "0", "0", "0"}}}, {"0", "7,00"});
    QWidget* list = h.window->List2;
    list->setFocus(Qt::TabFocusReason);
    QVERIFY(list->hasFocus());
    QVERIFY(!h.window->cmdelimina->isEnabled());
    QCOMPARE(h.window->Label2(18)->text(), QString());
    QCOMPARE(rowBoxTexts(h), zeros6);
    // The first line is current without being chosen: Space chooses it, Down the next one.
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(h.window->Label2(18)->text(), QStringLiteral("SX5 "));
    QCOMPARE(rowBox(h, 1)->text(), QStringLiteral("7,00"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(h.window->Label2(18)->text(), QStringLiteral("SX6 "));
    QCOMPARE(h.window->SEQCORRENTE, QStringLiteral("003"));
    QVERIFY(h.window->cmdelimina->isEnabled());
}

void TestRowEditing::aMarkedBoxRewrittenWithItsOwnTextTurnsWhite() {
    WindowHarness h;
    openSchedule(h);
    h.openRegionRow(lazioLine);
    // Box 5 at 5 breaks rules 2 and 3; refusing rule 3 leaves box 6, at 0,00, yellow.
    h.typeBoxes(12, {"", "", "", "", "5", ""});
    h.boxes.answer({MessageBoxes::No, MessageBoxes::Yes, MessageBoxes::No});
    h.click(h.window->cmdconferma);
    QCOMPARE(rowBox(h, 6)->palette().color(QPalette::Base), yellow);
    QVERIFY(rowBox(h, 6)->hasFocus());
    // Leaving it writes its display form, the same 0,00.
    QTest::mouseClick(rowBox(h, 1), Qt::LeftButton);
    QCOMPARE(rowBox(h, 6)->text(), QStringLiteral("0,00"));
    QCOMPARE(rowBox(h, 6)->palette().color(QPalette::Base), QColor(Qt::white));
}

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

#include "windowharness.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// A clerk's working day through the real window. In the morning, ROSSI MARIO's Schedule SX is
// entered for the first time: the summary boxes, four region rows through the row checks, the
// totals recalculated, stored past the field checks and printed. Then ACME S.P.A., stored on an
// earlier day, is changed and the clerk leaves the program with the changes pending.

namespace {

using namespace Shown;

constexpr int Ok = MessageBoxes::Ok;
constexpr int Yes = MessageBoxes::Yes;
constexpr int No = MessageBoxes::No;
constexpr int Cancel = MessageBoxes::Cancel;

const QString rossiCf = QStringLiteral("RSSMRA80A01H501U");
// ACME's tax code has 11 characters; its rows are keyed by the 16-character form.
const QString acmeCf = QStringLiteral("01234567890");
const QString acmeKey = QStringLiteral("01234567890     ");

const QColor yellow(255, 255, 0);
const QColor white(255, 255, 255);

// A message box the window shows, and the clerk's answer to it.
struct Asked {
    QString text;
    int style = 0;
    int answer = 0;
};

// One region row worked through the row editor.
struct RowWork {
    int line;           // line of the region list, 0 = SX5; -1: still open from the entry before
    QStringList keys;   // typed into boxes 1 to 6; empty: the box is left alone
    QList<Asked> asked; // what "Conferma rigo" asks, and the answers
    int refusedBox;     // 0: the row is taken and closes; else it stays open on this box
};

using Fields = QMap<QString, QStringList>; // row key -> SX_1..SX_10

const QStringList zeroFields(10, QStringLiteral("0"));

// CODAZI, CFD, SEQ and SX_1..SX_10 of a declarant's 31 rows: `fields` where given, else the
// zeros every row is created with.
QList<QStringList> schedule(const QString& company, const QString& key, const Fields& fields) {
    QList<QStringList> rows;
    for (int i = 1; i <= 31; ++i) {
        const QString seq = WindowHarness::seq(i);
        rows << QStringList{company, key, seq} + fields.value(seq, zeroFields);
    }
    return rows;
}

// ACME's schedule as stored on an earlier day: SX4 box 3 (90,00) already disagrees with its
// column, 60,00 + 40,00.
const Fields acmeEarlier = {
    {"001", {"50,00", "300,00", "0,00", "90,00", "0,00", "0,00", "0,00", "0", "0", "0"}},
    {"002", {"0", "300,00", "0,00", "60,00", "0,00", "0,00", "0,00", "0", "0", "0"}},
    {"012", {"0", "0,00", "0,00", "40,00", "0,00", "0,00", "0,00", "0", "0", "0"}},
};

QColor background(QLineEdit* box) {
    return box->palette().color(QPalette::Base);
}

} // namespace

Q_DECLARE_METATYPE(Asked)

// A failed check inside a step ends the day there, instead of piling up failures after it.
#define STEP(...)                                                                                  \
    do {                                                                                           \
        __VA_ARGS__;                                                                               \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

class TestWorkingDay : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }

    // Presses a button with the answers scripted, then checks every box it showed: text, style
    // and title. Nothing may have been shown unasked since the step before.
    void press(QWidget* button, const QList<Asked>& asked = {}) {
        QCOMPARE(h->boxes.texts(), QStringList());
        QStringList texts;
        QList<int> styles;
        QList<int> answers;
        for (const Asked& box : asked) {
            texts << box.text;
            styles << box.style;
            answers << box.answer;
        }
        h->boxes.answer(answers);
        h->click(button);
        h->compareBoxes(texts, styles);
        if (QTest::currentTestFailed())
            qWarning("The boxes above were shown by %s.", qPrintable(button->objectName()));
        QCOMPARE(h->boxes.pendingAnswers(), 0);
        h->boxes.boxes.clear();
    }
    void work(const RowWork& row) {
        if (row.line >= 0)
            h->openRegionRow(row.line);
        QVERIFY(w()->Frameimporti->isEnabled());
        h->typeBoxes(12, row.keys);
        press(w()->cmdconferma, row.asked);
        QCOMPARE(w()->Frameimporti->isEnabled(), row.refusedBox != 0);
        if (row.refusedBox != 0) {
            QLineEdit* refused = w()->Text1(row.refusedBox + 11);
            QCOMPARE(background(refused), yellow);
            QCOMPARE(w()->focusWidget(), refused);
        }
    }
    QStringList boxTexts(int first, int last) {
        QStringList texts;
        for (int i = first; i <= last; ++i)
            texts << w()->Text1(i)->text();
        return texts;
    }
    QList<bool> ticks() {
        return {w()->Check1(8)->isChecked(), w()->Check1(9)->isChecked(),
                w()->Check1(10)->isChecked()};
    }
    QList<QStringList> quadroSx() {
        return h->archive.rows(QStringLiteral(
            "SELECT CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10 "
            "FROM QUADROSX ORDER BY CODAZI, SEQ"));
    }
    QList<QStringList> frontPages() {
        return h->archive.rows(
            QStringLiteral("SELECT CODAZI, CFD, FR_46 FROM FRONTESPIZIO ORDER BY CODAZI"));
    }
    QStringList declarantLines() {
        QStringList lines;
        for (int i = 0; i < w()->List1->count(); ++i)
            lines << w()->List1->item(i)->text();
        return lines;
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", rossiCf, "ROSSI", "MARIO", QVariant(), "M");
        h->archive.addDeclarant("002", acmeCf, QVariant(), QVariant(), "ACME S.P.A.", "");
        h->archive.addDeclarant("003", "VRDGPP70B02F205K", "VERDI", "GIUSEPPE", QVariant(), "F");
        QList<QVariantList> rows;
        for (const QStringList& row : schedule("002", acmeKey, acmeEarlier)) {
            QVariantList values;
            for (const QString& field : row.mid(2))
                values << field;
            rows << values;
        }
        h->storeRows("002", acmeKey, rows);
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        QCOMPARE(h->boxes.texts(), QStringList());
        h.reset();
    }

    void workingDay_data();
    void workingDay();
};

void TestWorkingDay::workingDay_data() {
    QTest::addColumn<QList<Asked>>("leaving"); // what "Uscita" asks with ACME's changes pending
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<bool>("acmeStored");

    QTest::newRow("Cancel stays") << QList<Asked>{{saveQuestion, 35, Cancel}} << false << false;
    QTest::newRow("No leaves without storing")
        << QList<Asked>{{saveQuestion, 35, No}} << true << false;
    // Storing finds SX4 boxes 1 and 3 off their columns and recalculates them.
    QTest::newRow("Yes stores and leaves")
        << QList<Asked>{{saveQuestion, 35, Yes}, {sx4Warning, 36, Yes}} << true << true;
}

void TestWorkingDay::workingDay() {
    QFETCH(QList<Asked>, leaving);
    QFETCH(bool, leaves);
    QFETCH(bool, acmeStored);

    // What the clerk types into ROSSI's summary boxes SX1 and SX4 1-6, from the paper return.
    const QStringList summaryKeys = {"1500", "1300.5", "350", "80", "325,75", "470", "255,5"};
    // The region rows, before the totals are recalculated.
    const QList<RowWork> morning = {
        // SX5: box 6 worked out, 1200,50 - 200 + 0 - 300 - 450 = 250,50.
        {0, {"1200.5", "200", "", "300", "450", ""}, {{box6Offer, 36, Yes}}, 0},
        // SX13: box 2 over box 1 accepted; rules 2 and 3 meet their bounds exactly
        // (20 = 100 - 150 + 80 - 10, 10 = 100 - 150 + 80 - 20).
        {8, {"100", "150", "80", "", "20", "10"}, {{box6Offer, 36, No}, {rule1, 36, Yes}}, 0},
        // SX34: box 6 worked out below zero, 10 - 25,75, and set to zero.
        {29,
         {"10", "", "", "25,75", "", ""},
         {{box6Offer, 36, Yes}, {box6BelowZero("-15,75"), 64, Ok}},
         0},
    };
    // After the recalculation: SX30 refused by rule 2 (60 > 40), then box 5 corrected to 35
    // and box 6 worked out, 40 - 35 = 5.
    const QList<RowWork> afternoon = {
        {25, {"40", "", "", "", "60", ""}, {{box6Offer, 36, No}, {rule2, 36, No}}, 5},
        {-1, {"", "", "", "", "\b35", ""}, {{box6Offer, 36, Yes}}, 0},
    };
    // Column sums: SX5 + SX13 + SX34, and with SX30.
    const QStringList morningTotals = {"1310,50", "350,00", "80,00", "325,75", "470,00", "260,50"};
    const QStringList dayTotals = {"1350,50", "350,00", "80,00", "325,75", "505,00", "265,50"};
    // SX1 lowered to SX4 box 3 after its warning was refused.
    const QString sx1Corrected = QStringLiteral("\b80");

    const Fields rossiStored = {
        {"001", QStringList{"80,00"} + dayTotals + QStringList{"1", "0", "1"}},
        {"002", {"0", "1200,50", "200,00", "0,00", "300,00", "450,00", "250,50", "0", "0", "0"}},
        {"010", {"0", "100,00", "150,00", "80,00", "0,00", "20,00", "10,00", "0", "0", "0"}},
        {"027", {"0", "40,00", "0,00", "0,00", "0,00", "35,00", "5,00", "0", "0", "0"}},
        {"031", {"0", "10,00", "0,00", "0,00", "25,75", "0,00", "0,00", "0", "0", "0"}},
    };
    const QString separator(104, QLatin1Char('-'));
    // clang-format off
    const QStringList rossiPrinted = {
        separator,
        "Lista di controllo QUADRO SX 770/2004 Semplificato                                   Pagina 1",
        separator,
        "Azienda 001 ROSSI MARIO Codice fiscale  RSSMRA80A01H501U",
        separator,
        "Rigo     Casella 1      Casella 2      Casella 3      Casella 4      Casella 5      Casella 6",
        separator,
        "SX1          80,00 ",
        "",
        "SX4        1350,50         350,00          80,00         325,75         505,00         265,50 ",
        "",
        "SX5        1200,50         200,00           0,00         300,00         450,00         250,50 ",
        "SX6           0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX7           0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX8           0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX9           0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX10          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX11          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX12          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX13        100,00         150,00          80,00           0,00          20,00          10,00 ",
        "SX14          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX15          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX16          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX17          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX18          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX19          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX20          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX21          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX22          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX23          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX24          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX25          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX26          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX27          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX28          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX29          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX30         40,00           0,00           0,00           0,00          35,00           5,00 ",
        "SX31          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX32          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX33          0,00           0,00           0,00           0,00           0,00           0,00 ",
        "SX34         10,00           0,00           0,00          25,75           0,00           0,00 ",
        "",
        "SX35             X                             X",
        separator,
    };
    // clang-format on

    // ACME, changed: SX1 75, SX15 box 1 20 and box 3 55 instead of 40, SX35 "SA" ticked.
    // Storing recalculates SX4 box 1 as 300 + 20 and box 3 as 60 + 55.
    const Fields acmeChanged = {
        {"001", {"75,00", "320,00", "0,00", "115,00", "0,00", "0,00", "0,00", "0", "1", "0"}},
        {"002", {"0", "300,00", "0,00", "60,00", "0,00", "0,00", "0,00", "0", "0", "0"}},
        {"012", {"0", "20,00", "0,00", "55,00", "0,00", "0,00", "0,00", "0", "0", "0"}},
    };

    const QList<QStringList> acmeBefore = schedule("002", acmeKey, acmeEarlier);
    const QStringList declarants = {"001 RSSMRA80A01H501U ROSSI MARIO",
                                    "002 01234567890      ACME S.P.A.",
                                    "003 VRDGPP70B02F205K VERDI GIUSEPPE"};

    // Start-up: the declarant list, nothing asked.
    h->start();
    QCOMPARE(w()->windowTitle(), caption);
    QCOMPARE(w()->StatusPanel1->text(), QStringLiteral("Release 1.0"));
    QVERIFY(w()->FrmSelezione(0)->isVisible());
    QCOMPARE(declarantLines(), declarants);
    QCOMPARE(h->boxes.texts(), QStringList());

    // ROSSI, opened for the first time: 31 rows of zeros are made.
    h->open("001");
    QVERIFY(w()->Frmmoduli(0)->isVisible());
    QCOMPARE(w()->LabAZI->text(), QStringLiteral(" 001"));
    QCOMPARE(w()->LabCOGNODEN->text(), QStringLiteral(" ROSSI MARIO"));
    QCOMPARE(w()->LabCF->text(), QStringLiteral(" RSSMRA80A01H501U"));
    QCOMPARE(boxTexts(1, 7), QStringList(7, QStringLiteral("0,00")));
    QCOMPARE(w()->focusWidget(), w()->Text1(1));
    QCOMPARE(quadroSx(), schedule("001", rossiCf, {}) + acmeBefore);

    // The summary row typed and two SX35 flags ticked.
    STEP(h->typeBoxes(1, summaryKeys));
    h->click(w()->Check1(8));
    h->click(w()->Check1(10));
    QCOMPARE(boxTexts(1, 7),
             (QStringList{"1500,00", "1300,50", "350,00", "80,00", "325,75", "470,00", "255,50"}));
    QCOMPARE(ticks(), (QList<bool>{true, false, true}));

    for (const RowWork& row : morning)
        STEP(work(row));
    // A click shows a confirmed row again.
    h->clickRegionRow(0);
    QCOMPARE(boxTexts(12, 17),
             (QStringList{"1200,50", "200,00", "0,00", "300,00", "450,00", "250,50"}));

    STEP(press(w()->Cmdtotali));
    QCOMPARE(boxTexts(2, 7), morningTotals);
    QCOMPARE(w()->Text1(1)->text(), QStringLiteral("1500,00"));

    for (const RowWork& row : afternoon)
        STEP(work(row));

    // Storing: SX4 boxes 1, 5 and 6 miss SX30 and are recalculated; SX1 then exceeds SX4 box 3,
    // and the clerk stops to correct it. Nothing is written.
    STEP(press(w()->cmdmemorizza, {{sx4Warning, 36, Yes}, {sx1Warning, 36, No}}));
    QCOMPARE(boxTexts(2, 7), dayTotals);
    QCOMPARE(background(w()->Text1(1)), yellow);
    QCOMPARE(w()->focusWidget(), w()->Text1(1));
    QCOMPARE(quadroSx(), schedule("001", rossiCf, {}) + acmeBefore);

    STEP(h->type(w()->Text1(1), sx1Corrected));
    QCOMPARE(background(w()->Text1(1)), white);
    STEP(press(w()->cmdmemorizza));
    QCOMPARE(quadroSx(), schedule("001", rossiCf, rossiStored) + acmeBefore);
    QCOMPARE(frontPages(), (QList<QStringList>{{"001", rossiCf, "1"},
                                               {"002", acmeCf, QString()},
                                               {"003", "VRDGPP70B02F205K", QString()}}));
    // The window shows what was stored.
    QCOMPARE(boxTexts(1, 7), QStringList{"80,00"} + dayTotals);
    QCOMPARE(ticks(), (QList<bool>{true, false, true}));

    STEP(press(w()->CmdStLista, {{printFinished, 64, Ok}}));
    QCOMPARE(h->printed.size(), 1);
    QCOMPARE(h->printed.first()->lines(), rossiPrinted);

    // Back to the list: nothing is pending, so nothing is asked.
    STEP(press(w()->cmdselprec(1)));
    QVERIFY(w()->FrmSelezione(0)->isVisible());
    QVERIFY(!w()->Frmmoduli(0)->isVisible());
    QCOMPARE(declarantLines(), declarants);
    QCOMPARE(w()->List1->selectedItems().size(), 0);

    // ACME, stored on an earlier day: SX4 box 3 is marked as soon as it is shown.
    h->open("002");
    QCOMPARE(w()->LabAZI->text(), QStringLiteral(" 002"));
    QCOMPARE(w()->LabCOGNODEN->text(), QStringLiteral(" ACME S.P.A."));
    QCOMPARE(w()->LabCF->text(), QStringLiteral(" 01234567890"));
    QCOMPARE(boxTexts(1, 7),
             (QStringList{"50,00", "300,00", "0,00", "90,00", "0,00", "0,00", "0,00"}));
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(background(w()->Text1(i)), i == 4 ? yellow : white);
    QCOMPARE(ticks(), (QList<bool>{false, false, false}));

    STEP(h->type(w()->Text1(1), "\b75"));
    STEP(work({10, {"20", "", "\b55"}, {{box6Offer, 36, No}}, 0})); // SX15
    h->click(w()->Check1(9));

    STEP(press(w()->cmduscita(0), leaving));
    QCOMPARE(quadroSx(), schedule("001", rossiCf, rossiStored) +
                             schedule("002", acmeKey, acmeStored ? acmeChanged : acmeEarlier));
    QCOMPARE(frontPages(), (QList<QStringList>{{"001", rossiCf, "1"},
                                               {"002", acmeCf, acmeStored ? "1" : QString()},
                                               {"003", "VRDGPP70B02F205K", QString()}}));
    if (leaves) {
        QCOMPARE(h->platform.endings, QList<int>{0});
        QCOMPARE(h->platform.activated, QStringList{"7702004"});
        QCOMPARE(h->platform.started, QStringList{h->archive.programs() + "/7702004.EXE"});
    } else {
        // The clerk stays with the changes still on the screen and still pending.
        QVERIFY(h->platform.endings.isEmpty());
        QVERIFY(w()->Frmmoduli(0)->isVisible());
        QCOMPARE(boxTexts(1, 7),
                 (QStringList{"75,00", "300,00", "0,00", "90,00", "0,00", "0,00", "0,00"}));
        QCOMPARE(ticks(), (QList<bool>{false, true, false}));
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
    }
    QCOMPARE(h->printed.size(), 1);
}

QTEST_MAIN(TestWorkingDay)
#include "tst_workingday.moc"

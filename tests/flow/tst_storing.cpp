#include "windowharness.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int Yes = MessageBoxes::Yes;
constexpr int No = MessageBoxes::No;
constexpr int Cancel = MessageBoxes::Cancel;

const QString company = QStringLiteral("001");
const QString taxCode = QStringLiteral("RSSMRA80A01H501U");

using namespace Shown;

QStringList zeros(int count, const QString& zero = QStringLiteral("0")) {
    return QStringList(count, zero);
}

// SX_1..SX_10 of a region row that only ever held the zeros it was created with.
QStringList untouchedRegionRow() {
    return zeros(10);
}

bool isYellow(QLineEdit* box) {
    return box->palette().color(QPalette::Base) == QColor(255, 255, 0);
}

} // namespace

class TestStoring : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }

    // Opens a region row (0 = SX5), types its boxes (empty: left alone) and confirms it,
    // declining the automatic box 6.
    void confirmRow(int listRow, const QStringList& boxes) {
        h->openRegionRow(listRow);
        h->typeBoxes(12, boxes);
        h->boxes.answer({No});
        h->click(w()->cmdconferma);
        QVERIFY(!w()->Frameimporti->isEnabled());
    }
    QList<QStringList> schedule() { return h->storedSchedule(company, taxCode); }
    QList<QStringList> everything() {
        return h->archive.rows(QStringLiteral("SELECT rowid, * FROM QUADROSX ORDER BY rowid")) +
               h->archive.rows(QStringLiteral("SELECT rowid, * FROM FRONTESPIZIO ORDER BY rowid"));
    }
    void insertRows(const QString& code, const QString& cf, int from, int to,
                    const std::function<QVariantList(int)>& fields) {
        QList<QVariantList> rows;
        for (int i = from; i <= to; ++i)
            rows << QVariantList{WindowHarness::seq(i)} + fields(i);
        h->storeRows(code, cf, rows);
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant(company, taxCode, "ROSSI", "MARIO", "", "M");
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        QCOMPARE(h->boxes.pendingAnswers(), 0);
        h.reset();
    }

    void storingWritesEveryFieldOfTheSchedule();
    void pressingMemorizzaWithoutChangesDoesNothing();
    void fieldWarnings_data();
    void fieldWarnings();
    void leavingWithPendingChanges_data();
    void leavingWithPendingChanges();
    void aRefusedCheckKeepsTheWindowUntilTheNextPress_data();
    void aRefusedCheckKeepsTheWindowUntilTheNextPress();
    void exitTakesInTheOpenRow();
    void summaryTextsAreStoredAsUsableAmounts_data();
    void summaryTextsAreStoredAsUsableAmounts();
    void frontIndicatorFollowsTheSchedule_data();
    void frontIndicatorFollowsTheSchedule();
    void fieldsTheStoringDoesNotWriteKeepTheirValues();
    void missingRowsAreCreatedAndTheIndicatorWaits();
    void shortTaxCodeStoresUnderItsPaddedForm();
    void aFailedWriteLeavesTheDatabaseAsItWas_data();
    void aFailedWriteLeavesTheDatabaseAsItWas();
};

void TestStoring::storingWritesEveryFieldOfTheSchedule() {
    h->startAndChoose(company);
    // Rule checks pass for each row: box 2 <= box 1, box 5 and box 6 within their bounds.
    confirmRow(0, {"1000,5", "200", "50", "100", "300", "500"}); // SX5, key 002
    confirmRow(1, {"12,3", "", "-5", "", "", ""});               // SX6, key 003
    confirmRow(29, {"0,1", "", "", "0,2", "", ""});              // SX34, key 031
    // SX4 boxes typed with the column sums, SX1 equal to SX4 box 3.
    h->typeBoxes(1, {"45", "1012,9", "200", "45", "100,2", "300", "500"});
    h->click(w()->Check1(8));
    h->click(w()->Check1(10));
    h->click(w()->cmdmemorizza);

    QCOMPARE(h->boxes.texts(), QStringList(3, box6Offer));
    QList<QStringList> expected;
    expected << QStringList{"001",    "45,00",  "1012,90", "200,00", "45,00", "100,20",
                            "300,00", "500,00", "1",       "0",      "1"};
    expected << QStringList{"002",    "0",      "1000,50", "200,00", "50,00", "100,00",
                            "300,00", "500,00", "0",       "0",      "0"};
    expected << QStringList{"003",  "0",    "12,30", "0,00", "-5,00", "0,00",
                            "0,00", "0,00", "0",     "0",    "0"};
    for (int i = 4; i <= 30; ++i)
        expected << QStringList{WindowHarness::seq(i)} + untouchedRegionRow();
    expected << QStringList{"031",  "0",    "0,10", "0,00", "0,00", "0,20",
                            "0,00", "0,00", "0",    "0",    "0"};
    QCOMPARE(schedule(), expected);
    QCOMPARE(h->frontIndicator(company), QStringLiteral("1"));

    // The window shows the schedule as stored, with nothing pending.
    QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(0));
    QCOMPARE(w()->FLAGVARIAZRIGO, qint16(0));
    QCOMPARE(w()->Text1(2)->text(), QStringLiteral("1012,90"));
    QVERIFY(w()->Check1(8)->isChecked() && !w()->Check1(9)->isChecked() &&
            w()->Check1(10)->isChecked());
    QCOMPARE(w()->TABELLASX.cell(3, 4), QStringLiteral("-5,00"));

    // A second storing rewrites the same rows.
    h->click(w()->Check1(9));
    h->click(w()->cmdmemorizza);
    expected[0][9] = QStringLiteral("1");
    QCOMPARE(schedule(), expected);
}

void TestStoring::pressingMemorizzaWithoutChangesDoesNothing() {
    // SX4 box 1 disagrees with its column: the box is yellow, yet no check runs unasked.
    insertRows(company, taxCode, 1, 31, [](int i) {
        return QVariantList{"0", i == 2 ? "10" : "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    });
    h->startAndChoose(company);
    QVERIFY(isYellow(w()->Text1(2)));
    const QByteArray before = fileBytes(h->archive.yearPath());
    h->click(w()->cmdmemorizza);
    QVERIFY(h->boxes.boxes.isEmpty());
    QCOMPARE(fileBytes(h->archive.yearPath()), before);
}

void TestStoring::fieldWarnings_data() {
    QTest::addColumn<QStringList>("summary"); // SX1, SX4 box 1, box 2, box 3 as typed
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("stored"); // SX_1..SX_7 of row 001; empty: nothing stored
    QTest::addColumn<QList<int>>("yellow");  // Text1 boxes marked afterwards

    // The confirmed row SX5 puts 300 in column 1 and 100 in column 3 of SX4.
    const QString z = QStringLiteral("0,00");
    QTest::newRow("sums agree, SX1 equal to box 3")
        << QStringList{"100", "300", "", "100"} << QList<int>{} << QStringList{}
        << QStringList{"100,00", "300,00", z, "100,00", z, z, z} << QList<int>{};
    QTest::newRow("a cent off, recalculated: every SX4 box rewritten")
        << QStringList{"", "299,99", "5", "100"} << QList<int>{Yes} << QStringList{sx4Warning}
        << QStringList{z, "300,00", z, "100,00", z, z, z} << QList<int>{};
    QTest::newRow("a cent off, kept as typed")
        << QStringList{"", "299,99", "5", "100"} << QList<int>{No} << QStringList{sx4Warning}
        << QStringList{z, "299,99", "5,00", "100,00", z, z, z} << QList<int>{};
    QTest::newRow("SX1 over box 3, refused")
        << QStringList{"100,01", "300", "", "100"} << QList<int>{No} << QStringList{sx1Warning}
        << QStringList{} << QList<int>{1};
    QTest::newRow("SX1 over box 3, accepted")
        << QStringList{"100,01", "300", "", "100"} << QList<int>{Yes} << QStringList{sx1Warning}
        << QStringList{"100,01", "300,00", z, "100,00", z, z, z} << QList<int>{};
    QTest::newRow("SX4 kept, SX1 accepted")
        << QStringList{"100,01", "299,99", "", "100"} << QList<int>{No, Yes}
        << QStringList{sx4Warning, sx1Warning}
        << QStringList{"100,01", "299,99", z, "100,00", z, z, z} << QList<int>{};
    QTest::newRow("recalculated box 3 no longer below SX1")
        << QStringList{"50", "300", "", "10"} << QList<int>{Yes} << QStringList{sx4Warning}
        << QStringList{"50,00", "300,00", z, "100,00", z, z, z} << QList<int>{};
    QTest::newRow("SX4 kept, SX1 refused")
        << QStringList{"50", "300", "", "10"} << QList<int>{No, No}
        << QStringList{sx4Warning, sx1Warning} << QStringList{} << QList<int>{1, 4};
}

void TestStoring::fieldWarnings() {
    QFETCH(QStringList, summary);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, yellow);

    h->startAndChoose(company);
    confirmRow(0, {"300", "", "100", "", "", ""});
    h->typeBoxes(1, summary);
    h->boxes.boxes.clear();
    h->boxes.answer(answers);
    h->click(w()->cmdmemorizza);

    QCOMPARE(h->boxes.texts(), shown);
    for (const auto& box : h->boxes.boxes) {
        QCOMPARE(box.style, 36);
        QCOMPARE(box.title, caption);
    }
    const QStringList row001 = schedule().first().mid(1, 7);
    if (stored.isEmpty()) {
        QCOMPARE(row001, zeros(7));
        QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(1));
        QCOMPARE(QApplication::focusWidget(), w()->Text1(1));
    } else {
        QCOMPARE(row001, stored);
        QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(0));
    }
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(isYellow(w()->Text1(i)), yellow.contains(i));
}

void TestStoring::leavingWithPendingChanges_data() {
    QTest::addColumn<bool>("exit"); // "Uscita", else "Altra Azienda"
    QTest::addColumn<QString>("sx1");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("left");

    for (const bool exit : {true, false}) {
        const char* button = exit ? "Uscita" : "Altra Azienda";
        QTest::addRow("%s, Yes stores and leaves", button)
            << exit << "10,00" << QList<int>{Yes} << QStringList{saveQuestion} << true << true;
        QTest::addRow("%s, No drops and leaves", button)
            << exit << "10,00" << QList<int>{No} << QStringList{saveQuestion} << false << true;
        QTest::addRow("%s, Cancel stays", button)
            << exit << "10,00" << QList<int>{Cancel} << QStringList{saveQuestion} << false << false;
        QTest::addRow("%s, Yes with SX1 refused stays", button)
            << exit << "10,01" << QList<int>{Yes, No} << QStringList{saveQuestion, sx1Warning}
            << false << false;
    }
}

void TestStoring::leavingWithPendingChanges() {
    QFETCH(bool, exit);
    QFETCH(QString, sx1);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, shown);
    QFETCH(bool, stored);
    QFETCH(bool, left);

    h->startAndChoose(company);
    h->typeBoxes(1, {sx1, "", "", "10"});
    h->boxes.answer(answers);
    h->click(exit ? w()->cmduscita(0) : w()->cmdselprec(1));

    QCOMPARE(h->boxes.texts(), shown);
    QCOMPARE(h->boxes.boxes.first().style, 35);
    QCOMPARE(schedule().first().at(1), stored ? QStringLiteral("10,00") : QStringLiteral("0"));
    if (exit) {
        QCOMPARE(h->platform.endings, left ? QList<int>{0} : QList<int>{});
        QCOMPARE(w()->isVisible(), !left);
    } else {
        QCOMPARE(w()->FrmSelezione(0)->isVisible(), left);
        QCOMPARE(w()->Frmmoduli(0)->isVisible(), !left);
    }
    if (!left) {
        QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(1));
        QCOMPARE(w()->Text1(1)->text(), sx1);
    }
}

void TestStoring::aRefusedCheckKeepsTheWindowUntilTheNextPress_data() {
    QTest::addColumn<bool>("exit");
    QTest::newRow("Uscita") << true;
    QTest::newRow("Altra Azienda") << false;
}

void TestStoring::aRefusedCheckKeepsTheWindowUntilTheNextPress() {
    QFETCH(bool, exit);
    h->startAndChoose(company);
    h->typeBoxes(1, {"10,01", "", "", "10"});
    QPushButton* button = exit ? w()->cmduscita(0) : w()->cmdselprec(1);
    const auto stillThere = [&] {
        return exit ? h->platform.endings.isEmpty() : w()->Frmmoduli(0)->isVisible();
    };

    h->boxes.answer({Yes, No}); // store, then refuse the SX1 warning
    h->click(button);
    QVERIFY(stillThere());
    // Dropping the changes now still stays: the refused check has the last word once more.
    h->boxes.answer({No});
    h->click(button);
    QVERIFY(stillThere());
    QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(0));
    // Nothing pending any more: the next press leaves without a question.
    h->click(button);
    QVERIFY(!stillThere());
    QCOMPARE(h->boxes.texts(), (QStringList{saveQuestion, sx1Warning, saveQuestion}));
    QCOMPARE(schedule().first().mid(1, 7), zeros(7));
}

void TestStoring::exitTakesInTheOpenRow() {
    h->startAndChoose(company);
    h->openRegionRow(2); // SX7, key 004
    h->type(w()->Text1(12), "70");
    // Store; no automatic box 6; the row's 70 now differs from SX4 box 1: recalculate.
    h->boxes.answer({Yes, No, Yes});
    h->click(w()->cmduscita(0));
    QCOMPARE(h->boxes.texts(), (QStringList{saveQuestion, box6Offer, sx4Warning}));
    QCOMPARE(schedule().at(3), (QStringList{"004", "0", "70,00", "0,00", "0,00", "0,00", "0,00",
                                            "0,00", "0", "0", "0"}));
    QCOMPARE(schedule().first().at(2), QStringLiteral("70,00"));
    QCOMPARE(h->platform.endings, QList<int>{0});
}

void TestStoring::summaryTextsAreStoredAsUsableAmounts_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown"); // after the reload

    QTest::newRow("letter pasted in SX4 box 2") << 3 << ""
                                                << "12a"
                                                << "0"
                                                << "0,00";
    QTest::newRow("lone minus typed in SX4 box 4") << 5 << "-"
                                                   << ""
                                                   << "0"
                                                   << "0,00";
    QTest::newRow("lone plus typed in SX1") << 1 << "+"
                                            << ""
                                            << "0"
                                            << "0,00";
    QTest::newRow("lone minus pasted in SX4 box 6") << 7 << ""
                                                    << "-"
                                                    << "0"
                                                    << "0,00";
    QTest::newRow("thousands period kept as typed") << 2 << ""
                                                    << "1.234,56"
                                                    << "1.234,56"
                                                    << "1234,56";
    QTest::newRow("blanks around trimmed") << 6 << ""
                                           << "  7,5 "
                                           << "7,5"
                                           << "7,50";
}

void TestStoring::summaryTextsAreStoredAsUsableAmounts() {
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, stored);
    QFETCH(QString, shown);

    h->startAndChoose(company);
    if (!typed.isEmpty())
        h->type(w()->Text1(box), typed);
    else
        w()->Text1(box)->setText(pasted);
    h->click(w()->Check1(9)); // a change of the user's, so there is something to store
    h->click(w()->cmdmemorizza);

    QStringList expected = QStringList{"001"} + zeros(7, "0,00") + QStringList{"0", "1", "0"};
    expected[box] = stored;
    QCOMPARE(schedule().first(), expected);
    QCOMPARE(w()->Text1(box)->text(), shown);
    QVERIFY(h->boxes.boxes.isEmpty());
}

void TestStoring::frontIndicatorFollowsTheSchedule_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("summary");
    QTest::addColumn<int>("ticked"); // an SX35 flag clicked, 0 none
    QTest::addColumn<QString>("after");

    QTest::newRow("empty schedule clears it") << "1" << QStringList{"0"} << 0 << "0";
    QTest::newRow("one ticked flag sets it") << "0" << QStringList{} << 9 << "1";
    QTest::newRow("one amount sets it")
        << QString() << QStringList{"", "", "", "", "0,01"} << 0 << "1";
    // Every amount counts with its sign: these two make a total of 0.
    QTest::newRow("amounts cancelling out clear it") << "1" << QStringList{"-5", "5"} << 0 << "0";
}

void TestStoring::frontIndicatorFollowsTheSchedule() {
    QFETCH(QString, before);
    QFETCH(QStringList, summary);
    QFETCH(int, ticked);
    QFETCH(QString, after);

    h->archive.exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = ?"), {before});
    h->startAndChoose(company);
    h->typeBoxes(1, summary);
    if (ticked != 0)
        h->click(w()->Check1(ticked));
    h->click(w()->cmdmemorizza);
    QVERIFY(h->boxes.boxes.isEmpty());
    QCOMPARE(h->frontIndicator(company), after);
}

void TestStoring::fieldsTheStoringDoesNotWriteKeepTheirValues() {
    // Written by another program of the suite: the storing must not lose what it does not own.
    insertRows(company, taxCode, 1, 31, [](int i) -> QVariantList {
        if (i == 1)
            return {"0", "45,00", "0", "0", "0", "0", "0", "0", "1", "0"};
        return {"9", "1,5", "0", "0", "0", "0", " 0 ", "A", QVariant(), "x"};
    });
    h->startAndChoose(company);
    h->click(w()->Check1(10));
    h->click(w()->cmdmemorizza);
    QVERIFY(h->boxes.boxes.isEmpty());

    QList<QStringList> expected;
    expected << QStringList{"001",  "0,00", "45,00", "0,00", "0,00", "0,00",
                            "0,00", "0,00", "0",     "1",    "1"};
    for (int i = 2; i <= 31; ++i)
        expected << QStringList{
            WindowHarness::seq(i), "9", "1,5", "0", "0", "0", "0", "0", "A", QString(), "x"};
    QCOMPARE(schedule(), expected);
}

void TestStoring::missingRowsAreCreatedAndTheIndicatorWaits() {
    h->archive.exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = '0'"));
    insertRows(company, taxCode, 1, 10, [](int) { return QVariantList(10, "0"); });
    h->startAndChoose(company);
    h->click(w()->Check1(8));
    h->click(w()->cmdmemorizza);

    const QList<QStringList> rows = schedule();
    QCOMPARE(rows.size(), 31);
    QCOMPARE(rows.at(0), (QStringList{"001", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00",
                                      "1", "0", "0"}));
    QCOMPARE(rows.at(9), QStringList{WindowHarness::seq(10)} + untouchedRegionRow());
    // A created row gets its keys and the amounts; the other fields stay empty.
    for (int i = 11; i <= 31; ++i)
        QCOMPARE(rows.at(i - 1), (QStringList{WindowHarness::seq(i), QString(), "0", "0", "0", "0",
                                              "0", "0", QString(), QString(), QString()}));
    // Row "031" was created by this storing: the front page waits for a complete schedule.
    QCOMPARE(h->frontIndicator(company), QStringLiteral("0"));

    h->click(w()->Check1(9));
    h->click(w()->cmdmemorizza);
    QCOMPARE(schedule().size(), 31);
    QCOMPARE(h->frontIndicator(company), QStringLiteral("1"));
}

void TestStoring::shortTaxCodeStoresUnderItsPaddedForm() {
    h->archive.addDeclarant("002", "01234567890", QVariant(), QVariant(), "ACME S.P.A.", "");
    h->startAndChoose("002");
    h->typeBoxes(1, {"5", "", "", "5"});
    h->click(w()->cmdmemorizza);
    h->click(w()->Check1(8));
    h->click(w()->cmdmemorizza);

    const QString padded = QStringLiteral("01234567890     ");
    const auto keys =
        h->archive.rows(QStringLiteral("SELECT DISTINCT CFD FROM QUADROSX WHERE CODAZI = '002'"));
    QCOMPARE(keys, QList<QStringList>{{padded}});
    const QList<QStringList> rows = h->storedSchedule("002", padded);
    QCOMPARE(rows.size(), 31);
    QCOMPARE(rows.first(), (QStringList{"001", "5,00", "0,00", "0,00", "5,00", "0,00", "0,00",
                                        "0,00", "1", "0", "0"}));
    // The front page holds the short form: the padded key finds it all the same.
    QCOMPARE(h->frontIndicator("002"), QStringLiteral("1"));
}

void TestStoring::aFailedWriteLeavesTheDatabaseAsItWas_data() {
    QTest::addColumn<QString>("trigger");
    const QString refuse = QStringLiteral(" BEGIN SELECT RAISE(ABORT, 'scrittura rifiutata'); END");
    QTest::newRow("first row")
        << "CREATE TRIGGER refuse BEFORE UPDATE ON QUADROSX WHEN OLD.SEQ = '001'" + refuse;
    QTest::newRow("a middle row")
        << "CREATE TRIGGER refuse BEFORE UPDATE ON QUADROSX WHEN OLD.SEQ = '016'" + refuse;
    QTest::newRow("front-page indicator")
        << "CREATE TRIGGER refuse BEFORE UPDATE OF FR_46 ON FRONTESPIZIO" + refuse;
}

void TestStoring::aFailedWriteLeavesTheDatabaseAsItWas() {
    QFETCH(QString, trigger);
    h->archive.exec(trigger);
    h->startAndChoose(company);
    confirmRow(0, {"300", "", "100", "", "", ""});
    confirmRow(20, {"1", "", "", "", "", ""});
    h->typeBoxes(1, {"", "301", "", "100"});
    h->click(w()->Check1(8));
    const QByteArray bytes = fileBytes(h->archive.yearPath());
    const QList<QStringList> content = everything();
    h->boxes.boxes.clear();
    h->boxes.answer({MessageBoxes::Ok});
    h->click(w()->cmdmemorizza);

    QCOMPARE(h->boxes.boxes.size(), 1);
    const auto& report = h->boxes.boxes.first();
    QVERIFY2(report.text.startsWith(QStringLiteral("Errore n. ")) &&
                 report.text.contains(QStringLiteral("scrittura rifiutata")),
             qPrintable(report.text));
    QCOMPARE(report.style, 16);
    QCOMPARE(h->platform.endings, QList<int>{1});
    QVERIFY(w()->ended());
    QCOMPARE(everything(), content);
    QCOMPARE(fileBytes(h->archive.yearPath()), bytes);
}

QTEST_MAIN(TestStoring)
#include "tst_storing.moc"

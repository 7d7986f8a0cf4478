#include "checks/columnsums.h"
#include "checks/fieldchecks.h"

#include <map>
#include <QTest>

namespace {

struct Cell {
    int row;
    int column;
    QString text;
};
using Cells = QList<Cell>;

// An SX row table holding "0" everywhere but in the given cells.
CellReader table(const Cells& cells) {
    std::map<std::pair<int, int>, QString> filled;
    for (const Cell& cell : cells)
        filled[{cell.row, cell.column}] = cell.text;
    return [filled](int row, int column) {
        const auto it = filled.find({row, column});
        return it == filled.end() ? QStringLiteral("0") : it->second;
    };
}

BoxReader boxes(const QStringList& texts) {
    return [texts](int index) { return texts.at(index - 1); };
}

} // namespace

Q_DECLARE_METATYPE(Cells)

class TestColumnSums : public QObject {
    Q_OBJECT

  private slots:
    void sumsOfRegionRows_data();
    void sumsOfRegionRows();
    void sx4BoxesAgainstSums_data();
    void sx4BoxesAgainstSums();
    void presenceTotal_data();
    void presenceTotal();
    void sx1AgainstSx4Box3_data();
    void sx1AgainstSx4Box3();
    void warningTexts_data();
    void warningTexts();
};

void TestColumnSums::sumsOfRegionRows_data() {
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<QList<double>>("sums");

    QTest::newRow("all zero") << Cells{} << QList<double>{0, 0, 0, 0, 0, 0};
    QTest::newRow("first and last region row, every column")
        << Cells{{2, 2, "1,00"},   {2, 3, "2,00"},   {2, 4, "3,00"},   {2, 5, "4,00"},
                 {2, 6, "5,00"},   {2, 7, "6,00"},   {31, 2, "10,00"}, {31, 3, "20,00"},
                 {31, 4, "30,00"}, {31, 5, "40,00"}, {31, 6, "50,00"}, {31, 7, "60,00"}}
        << QList<double>{11, 22, 33, 44, 55, 66};
    QTest::newRow("summary row and other columns left out")
        << Cells{{1, 2, "500,00"}, {0, 2, "7,00"},  {5, 1, "9,00"},
                 {5, 8, "9,00"},   {5, 10, "9,00"}, {5, 2, "1,25"}}
        << QList<double>{1.25, 0, 0, 0, 0, 0};
    QTest::newRow("amounts of opposite sign")
        << Cells{{3, 2, "10,50"}, {17, 2, "-0,50"}} << QList<double>{10, 0, 0, 0, 0, 0};
    QTest::newRow("texts that are no amount count 0")
        << Cells{{2, 4, "12a"}, {3, 4, "-"},    {4, 4, ""},
                 {5, 4, "+"},   {6, 4, "2,50"}, {7, 4, "1,5x"}}
        << QList<double>{0, 0, 2.5, 0, 0, 0};
}

void TestColumnSums::sumsOfRegionRows() {
    QFETCH(Cells, cells);
    QFETCH(QList<double>, sums);

    const ColumnSums got = columnSums(table(cells));
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(got[k], sums.at(k - 1));
}

void TestColumnSums::sx4BoxesAgainstSums_data() {
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<QStringList>("sx4");
    QTest::addColumn<QList<int>>("differing");

    const QString zero = QStringLiteral("0,00");
    QTest::newRow("rounding noise of 0,10 + 0,20 passes against 0,30")
        << Cells{{2, 2, "0,10"}, {3, 2, "0,20"}}
        << QStringList{"0,30", zero, zero, zero, zero, zero} << QList<int>{};
    QTest::newRow("box read as a number, not as a text")
        << Cells{{2, 2, "0,10"}, {3, 2, "0,20"}}
        << QStringList{"  0,3", zero, zero, zero, zero, zero} << QList<int>{};
    QTest::newRow("one cent off is marked")
        << Cells{{2, 2, "10,50"}} << QStringList{"10,49", zero, zero, zero, zero, zero}
        << QList<int>{1};
    QTest::newRow("columns all zero are not compared")
        << Cells{} << QStringList{"5,00", "1,00", "-3,00", "7,00", "8,00", "9,00"} << QList<int>{};
    QTest::newRow("column summing to zero is not compared")
        << Cells{{4, 3, "10,00"}, {5, 3, "-10,00"}}
        << QStringList{zero, "3,00", zero, zero, zero, zero} << QList<int>{};
    QTest::newRow("box that is no amount counts 0")
        << Cells{{2, 4, "7,00"}, {2, 5, "1,00"}} << QStringList{zero, zero, "7,0a", "-", zero, zero}
        << QList<int>{3, 4};
    QTest::newRow("only the boxes that differ")
        << Cells{{2, 2, "1,00"}, {2, 3, "2,00"}, {2, 4, "3,00"},
                 {9, 5, "4,00"}, {9, 6, "5,00"}, {9, 7, "6,00"}}
        << QStringList{"1,00", "2,50", "3,00", "4,00", "5,00", "-6,00"} << QList<int>{2, 6};
}

void TestColumnSums::sx4BoxesAgainstSums() {
    QFETCH(Cells, cells);
    QFETCH(QStringList, sx4);
    QFETCH(QList<int>, differing);
    QCOMPARE(differingSx4Boxes(columnSums(table(cells)), boxes(sx4)), differing);
}

void TestColumnSums::presenceTotal_data() {
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<QStringList>("summary");
    QTest::addColumn<int>("ticked");
    QTest::addColumn<double>("total");

    const QStringList empty{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"};
    QTest::newRow("empty schedule") << Cells{} << empty << 0 << 0.0;
    QTest::newRow("one SX35 flag only") << Cells{} << empty << 1 << 1.0;
    QTest::newRow("SX1 only") << Cells{}
                              << QStringList{"0,01", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00"}
                              << 0 << 0.01;
    QTest::newRow("rows, boxes and flags")
        << Cells{{2, 2, "2,00"}}
        << QStringList{"0,00", "2,00", "0,00", "0,00", "0,00", "0,00", "1,00"} << 2 << 7.0;
    QTest::newRow("boxes that are no amount count 0")
        << Cells{} << QStringList{"abc", "-", "", "+", "0,00", "0,00", "0,00"} << 0 << 0.0;
}

void TestColumnSums::presenceTotal() {
    QFETCH(Cells, cells);
    QFETCH(QStringList, summary);
    QFETCH(int, ticked);
    QFETCH(double, total);
    QCOMPARE(::presenceTotal(columnSums(table(cells)), boxes(summary), ticked), total);
}

void TestColumnSums::sx1AgainstSx4Box3_data() {
    QTest::addColumn<QString>("sx1");
    QTest::addColumn<QString>("sx4Box3");
    QTest::addColumn<bool>("exceeds");

    QTest::newRow("one cent over zero") << "0,01"
                                        << "0,00" << true;
    QTest::newRow("equal passes") << "100,00"
                                  << "100,00" << false;
    QTest::newRow("below passes") << "99,99"
                                  << "100,00" << false;
    QTest::newRow("lone sign counts 0") << "-"
                                        << "0,00" << false;
    QTest::newRow("damaged box 3 counts 0") << "5,00"
                                            << "5,0x" << true;
}

void TestColumnSums::sx1AgainstSx4Box3() {
    QFETCH(QString, sx1);
    QFETCH(QString, sx4Box3);
    QFETCH(bool, exceeds);
    QCOMPARE(FieldChecks::sx1ExceedsSx4Box3(sx1, sx4Box3), exceeds);
}

void TestColumnSums::warningTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("SX4") << FieldChecks::sx4WarningText()
                         << "ATTENZIONE !!!!\rControllo campi SX4\r\r"
                            "I campi evidenziati sono diversi dalla somma \r"
                            "delle relative colonne del quadro SX (da SX5 a SX34)\r\r"
                            "Vuoi ricalcolare gli importi ?";
    QTest::newRow("SX1") << FieldChecks::sx1WarningText()
                         << "ATTENZIONE !!!!\rControllo campo SX1 casella 1\r\r"
                            "Campo SX1 casella 1 maggiore di casella SX4 casella 3 \r"
                            "Vuoi continuare ugualmente?";
}

void TestColumnSums::warningTexts() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
    QCOMPARE(FieldChecks::warningStyle, 36);
}

QTEST_GUILESS_MAIN(TestColumnSums)
#include "tst_columnsums.moc"

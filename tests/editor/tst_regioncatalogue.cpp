#include "editor/regioncatalogue.h"

#include <QTest>

using namespace RegionCatalogue;

class TestRegionCatalogue : public QObject {
    Q_OBJECT

  private slots:
    void rowsInListOrder_data();
    void rowsInListOrder();
    void labelsAsWritten_data();
    void labelsAsWritten();
    void listLine_data();
    void listLine();
    void keyAndCodeOfLine_data();
    void keyAndCodeOfLine();
};

void TestRegionCatalogue::rowsInListOrder_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("key");

    // Row SXn has the key n - 3.
    const char* const keys[] = {"002", "003", "004", "005", "006", "007", "008", "009",
                                "010", "011", "012", "013", "014", "015", "016", "017",
                                "018", "019", "020", "021", "022", "023", "024", "025",
                                "026", "027", "028", "029", "030", "031"};
    for (int n = 5; n <= 34; ++n) {
        const QString code = QStringLiteral("SX%1").arg(n).leftJustified(4);
        QTest::newRow(qPrintable(code)) << n - 3 << code << QString(keys[n - 5]);
    }
}

void TestRegionCatalogue::rowsInListOrder() {
    QFETCH(int, row);
    QFETCH(QString, code);
    QFETCH(QString, key);

    const QString line = listLines().at(row - firstRow);
    QCOMPARE(line.size(), lineLength);
    QCOMPARE(line.left(label(row).size()), label(row));
    QCOMPARE(rowCodeOfLine(line), code);
    QCOMPARE(rowKeyOfLine(line), key);
}

void TestRegionCatalogue::labelsAsWritten_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");

    QTest::newRow("two blanks after SX5") << 2 << "SX5  ERARIO";
    QTest::newRow("two blanks after SX9") << 6 << "SX9  CALABRIA";
    QTest::newRow("one blank after SX10") << 7 << "SX10 CAMPANIA";
    QTest::newRow("regional surcharge of Bolzano") << 5 << "SX8  PROV.AUT.BOLZANO ADD.REG.";
    QTest::newRow("quote in the name") << 22 << "SX25 VALLE D'AOSTA";
    QTest::newRow("special statute") << 26 << "SX29 VALLE D'AOSTA R.S.S.";
    QTest::newRow("municipal surcharge") << 27 << "SX30 ADDIZIONALE COMUNALE";
    QTest::newRow("longest label") << 29 << "SX32 FRIULI VENEZIA GIULIA ADD.COM.";
    QTest::newRow("no final full stop on SX34") << 31 << "SX34 VALLE D'AOSTA ADD.COM";
}

void TestRegionCatalogue::labelsAsWritten() {
    QFETCH(int, row);
    QFETCH(QString, label);
    QCOMPARE(RegionCatalogue::label(row), label);
}

void TestRegionCatalogue::listLine_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");

    QTest::newRow("SX5: 29 blanks before the key")
        << "SX5  ERARIO"
        << "002"
        << "SX5  ERARIO" + QString(29, QLatin1Char(' ')) + "002";
    QTest::newRow("SX32: 5 blanks before the key") << "SX32 FRIULI VENEZIA GIULIA ADD.COM."
                                                   << "029"
                                                   << "SX32 FRIULI VENEZIA GIULIA ADD.COM.     029";
    QTest::newRow("label trimmed first") << "  SX13 LAZIO  "
                                         << "010"
                                         << "SX13 LAZIO" + QString(30, QLatin1Char(' ')) + "010";
    QTest::newRow("label longer than 40 cut")
        << QString(45, QLatin1Char('X')) << "031" << QString(40, QLatin1Char('X')) + "031";
}

void TestRegionCatalogue::listLine() {
    QFETCH(QString, label);
    QFETCH(QString, key);
    QFETCH(QString, line);
    QCOMPARE(RegionCatalogue::listLine(label, key), line);
}

void TestRegionCatalogue::keyAndCodeOfLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("code");

    QTest::newRow("SX5 code keeps its trailing blank")
        << "SX5  ERARIO" + QString(29, QLatin1Char(' ')) + "002"
        << "002"
        << "SX5 ";
    QTest::newRow("SX10") << "SX10 CAMPANIA" + QString(27, QLatin1Char(' ')) + "007"
                          << "007"
                          << "SX10";
    QTest::newRow("short key padded with zeros")
        << "SX10 CAMPANIA" + QString(27, QLatin1Char(' ')) + " 7 "
        << "007"
        << "SX10";
    QTest::newRow("line without a key") << "SX10"
                                        << "000"
                                        << "SX10";
}

void TestRegionCatalogue::keyAndCodeOfLine() {
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(QString, code);
    QCOMPARE(rowKeyOfLine(line), key);
    QCOMPARE(rowCodeOfLine(line), code);
}

QTEST_GUILESS_MAIN(TestRegionCatalogue)
#include "tst_regioncatalogue.moc"

#include "checks/rowchecks.h"

#include <QTest>

using namespace RowChecks;

namespace {

// The column titles of the row boxes, with blanks around them as a label may hold them.
QString title(int box) {
    static const char* const titles[] = {
        "",
        "Credito risultante dalla dichiarazione relativa al 2002",
        "Credito risultante dalla dichiarazione relativa al 2002 da mod. F24",
        "Versamenti 2003 in eccesso e restituzioni effettuate dal sostituto",
        "Ammontare utilizzato a scomputo dei versamenti 2003",
        "Credito da utilizzare in compensazione",
        "Importo di cui si chiede il rimborso"};
    return QStringLiteral(" ") + QString::fromLatin1(titles[box]) + QStringLiteral("  ");
}

BoxValues values(const QStringList& texts) {
    return boxValues([&texts](int box) { return texts.at(box - 1); });
}

} // namespace

class TestRowChecks : public QObject {
    Q_OBJECT

  private slots:
    void boxValue_data();
    void boxValue();
    void automaticBox6_data();
    void automaticBox6();
    void rules_data();
    void rules();
    void warnings_data();
    void warnings();
    void questionAndStyles();
};

void TestRowChecks::boxValue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("cents");

    QTest::newRow("display form") << "123,45" << qint64(12345);
    QTest::newRow("entry form with leading blanks") << "        -7,5" << qint64(-750);
    QTest::newRow("binary fraction read to the cent") << "0,29" << qint64(29);
    QTest::newRow("lone minus counts 0") << "-" << qint64(0);
    QTest::newRow("lone plus counts 0") << "+" << qint64(0);
    QTest::newRow("empty counts 0") << "" << qint64(0);
    QTest::newRow("letter counts 0") << "12a" << qint64(0);
}

void TestRowChecks::boxValue() {
    QFETCH(QString, text);
    QFETCH(qint64, cents);
    QCOMPARE(RowChecks::boxValue(text), cents);
}

void TestRowChecks::automaticBox6_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("box6");
    QTest::addColumn<bool>("toZero");
    QTest::addColumn<QString>("information");

    const QString head = QStringLiteral("Attenzione !!!\rImporto di cui si chiede il rimborso ( ");
    const QString tail = QStringLiteral(
        " )\rSe il risultato della casella 6 e' negativo il valore verra' messo a zero");
    QTest::newRow("positive stays, box 6 as typed ignored")
        << QStringList{"100,00", "20,00", "5,00", "10,00", "30,00", "999,00"} << "45,00" << false
        << QString();
    QTest::newRow("one cent stays") << QStringList{"0,01", "0,00", "0,00", "0,00", "0,00", "0,00"}
                                    << "0,01" << false << QString();
    QTest::newRow("all zero goes to zero with the information")
        << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00"} << "0,00" << true
        << head + "0,00" + tail;
    QTest::newRow("negative shows its amount and goes to zero")
        << QStringList{"0,00", "0,00", "0,00", "25,00", "0,00", "0,00"} << "-25,00" << true
        << head + "-25,00" + tail;
    QTest::newRow("rounding noise of 0,10 + 0,20 shown to the cent")
        << QStringList{"0,10", "0,00", "0,20", "0,00", "0,00", "0,00"} << "0,30" << false
        << QString();
    QTest::newRow("lone sign in a box counts 0")
        << QStringList{"-", "0,00", "12,00", "+", "0,00", "0,00"} << "12,00" << false << QString();
}

void TestRowChecks::automaticBox6() {
    QFETCH(QStringList, boxes);
    QFETCH(QString, box6);
    QFETCH(bool, toZero);
    QFETCH(QString, information);

    QCOMPARE(RowChecks::automaticBox6(values(boxes)), box6);
    // Box 6 is read back from the text just written.
    const qint64 w = RowChecks::boxValue(box6);
    QCOMPARE(box6GoesToZero(w), toZero);
    if (toZero)
        QCOMPARE(box6ZeroInformation(w), information);
}

void TestRowChecks::rules_data() {
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("rule1");
    QTest::addColumn<bool>("rule2");
    QTest::addColumn<bool>("rule3");

    QTest::newRow("all zero") << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00"}
                              << false << false << false;
    QTest::newRow("box 2 over box 1 breaks all three")
        << QStringList{"100,00", "150,00", "0,00", "0,00", "0,00", "0,00"} << true << true << true;
    QTest::newRow("box 2 equal to box 1 passes")
        << QStringList{"100,00", "100,00", "0,00", "0,00", "0,00", "0,00"} << false << false
        << false;
    QTest::newRow("box 2 one cent over box 1")
        << QStringList{"100,00", "100,01", "1,00", "0,00", "0,00", "0,00"} << true << false
        << false;
    QTest::newRow("box 5 equal to its bound passes")
        << QStringList{"100,00", "20,00", "5,00", "0,00", "85,00", "0,00"} << false << false
        << false;
    QTest::newRow("box 5 one cent over its bound")
        << QStringList{"100,00", "20,00", "5,00", "0,00", "85,01", "0,00"} << false << true << true;
    QTest::newRow("box 6 equal to its bound passes")
        << QStringList{"100,00", "20,00", "5,00", "0,00", "30,00", "55,00"} << false << false
        << false;
    QTest::newRow("box 6 one cent over its bound")
        << QStringList{"100,00", "20,00", "5,00", "0,00", "30,00", "55,01"} << false << true
        << true;
    QTest::newRow("large box 4 takes no part")
        << QStringList{"100,00", "20,00", "5,00", "1000000,00", "30,00", "55,00"} << false << false
        << false;
    QTest::newRow("negative box 4 takes no part")
        << QStringList{"100,00", "20,00", "5,00", "-1000000,00", "30,00", "55,01"} << false << true
        << true;
    QTest::newRow("all three broken")
        << QStringList{"0,00", "10,00", "0,00", "0,00", "5,00", "5,00"} << true << true << true;
    QTest::newRow("equal to the cent: 0,30 - 0,10 against 0,20 passes")
        << QStringList{"0,30", "0,10", "0,00", "0,00", "0,20", "0,00"} << false << false << false;
    QTest::newRow("equal to the cent: 0,30 - 0,10 - 0,20 against 0,00 passes")
        << QStringList{"0,30", "0,10", "0,00", "0,00", "0,00", "0,20"} << false << false << false;
    QTest::newRow("lone signs count 0")
        << QStringList{"-", "+", "-", "0,00", "-", "+"} << false << false << false;
}

void TestRowChecks::rules() {
    QFETCH(QStringList, boxes);
    QFETCH(bool, rule1);
    QFETCH(bool, rule2);
    QFETCH(bool, rule3);

    const BoxValues a = values(boxes);
    QCOMPARE(isBroken(Rule::Box2OverBox1, a), rule1);
    QCOMPARE(isBroken(Rule::Box5OverBound, a), rule2);
    QCOMPARE(isBroken(Rule::Box6OverBound, a), rule3);
}

void TestRowChecks::warnings_data() {
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");

    QTest::newRow("rule 1, accented verb")
        << Rule::Box2OverBox1 << 2
        << "ATTENZIONE!!!!\r\r"
           "Il campo Credito risultante dalla dichiarazione relativa al 2002 da mod. F24\r"
           "non pu\u00f2 essere maggiore\r"
           "del campo Credito risultante dalla dichiarazione relativa al 2002\r\r"
           "Vuoi continuare ugualmente?";
    QTest::newRow("rule 2, box 6 last")
        << Rule::Box5OverBound << 5
        << "ATTENZIONE!!!!\r\r"
           "Il campo Credito da utilizzare in compensazione\r"
           "non puo essere maggiore di:\r\r"
           "Campo Credito risultante dalla dichiarazione relativa al 2002 (-)\r"
           "Campo Credito risultante dalla dichiarazione relativa al 2002 da mod. F24 (+)\r"
           "Campo Versamenti 2003 in eccesso e restituzioni effettuate dal sostituto (-)\r"
           "Campo Importo di cui si chiede il rimborso\r\r"
           "Vuoi continuare ugualmente?";
    QTest::newRow("rule 3, box 5 last")
        << Rule::Box6OverBound << 6
        << "ATTENZIONE!!!!\r\r"
           "Il campo Importo di cui si chiede il rimborso\r"
           "non puo essere maggiore di:\r\r"
           "Campo Credito risultante dalla dichiarazione relativa al 2002 (-)\r"
           "Campo Credito risultante dalla dichiarazione relativa al 2002 da mod. F24 (+)\r"
           "Campo Versamenti 2003 in eccesso e restituzioni effettuate dal sostituto (-)\r"
           "Campo Credito da utilizzare in compensazione\r\r"
           "Vuoi continuare ugualmente?";
}

void TestRowChecks::warnings() {
    QFETCH(Rule, rule);
    QFETCH(int, box);
    QFETCH(QString, text);

    QCOMPARE(boxOf(rule), box);
    QCOMPARE(warningText(rule, title), text);
}

void TestRowChecks::questionAndStyles() {
    QCOMPARE(box6Question(),
             QString("Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede il "
                     "rimborso"));
    QCOMPARE(questionStyle, 36);
    QCOMPARE(informationStyle, 64);
    QCOMPARE(RowChecks::rules.size(), std::size_t(3));
    QCOMPARE(RowChecks::rules[0], Rule::Box2OverBox1);
    QCOMPARE(RowChecks::rules[2], Rule::Box6OverBound);
}

QTEST_GUILESS_MAIN(TestRowChecks)
#include "tst_rowchecks.moc"

#include "editor/amount.h"

#include <QTest>

using namespace LibrAgg770;

struct Case {
    const char* name;
    const char* text;
    const char* input;
    const char* expected;
};

class TestAmount : public QObject {
    Q_OBJECT

    static void table(std::initializer_list<Case> cases) {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        for (const Case& c : cases)
            QTest::newRow(c.name) << c.text << c.input << c.expected;
    }

  private slots:
    // Keys typed into a box showing `text`; "\b" is Backspace, "\x16" Ctrl+V. The amount enters
    // from the right of the 14-character box.
    void typing_data() {
        table({{"digits, comma, decimals", "", "123,45", "        123,45"},
               {"third decimal refused", "", "123,456", "        123,45"},
               {"period becomes comma", "", "1.5", "           1,5"},
               {"second comma refused", "", "1,.,", "            1,"},
               {"lone zero replaced", "", "05", "             5"},
               {"zero then comma", "", "0,5", "            ,5"},
               {"eleventh integer digit refused", "", "12345678901", "    1234567890"},
               {"longest amount fills the box", "", "-1234567890,129", "-1234567890,12"},
               {"minus only first", "", "5-", "             5"},
               {"plus replaced by minus", "", "+-", "             -"},
               {"sign after decimals refused", "", "-0,5+", "          -0,5"},
               {"letters and controls ignored", "", "1a/ \r\x1b\x16Z2", "            12"},
               {"backspace resets to zero", "", "123,45\b", "             0"},
               {"shown amount takes no digit nor sign", "1234,56", "7-", "1234,56"},
               {"shown amount after backspace", "1234,56", "\b7,5", "           7,5"},
               {"shown zero is replaced", "0,00", "-3", "            -3"},
               {"refused key still clears zero", "0,00", "x", ""},
               {"shown half keeps its decimals", "0,50", "1", "0,50"}});
    }
    void typing() {
        QFETCH(QString, text);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        for (const QChar key : input)
            text = typed(filterAmountKey(text, key.unicode(), true, true, 10, 2));
        QCOMPARE(text, expected);
    }

    // What is stored (VALIDAIMPORTO), then the number calculations read and the text shown
    // on leaving a box, joined by "|".
    void amountTexts_data() {
        table({{"display form", "-1500,25", "", "-1500,25|-1500.25|-1500,25"},
               {"entry form", "          12,5", "", "          12,5|12.5|12,50"},
               {"thousands period", "1.234,5", "", "1.234,5|1234.5|1234,50"},
               {"decimals only", "-,5", "", "-,5|-0.5|-0,50"},
               {"comma without decimals", "5,", "", "5,|5|5,00"},
               {"lone comma", ",", "", ",|0|,"},
               {"lone minus", " - ", "", "0|0| - "},
               {"empty", "", "", "0|0|"},
               {"letter", "12a", "", "0|0|12a"},
               {"exponent", "1e5", "", "0|0|1e5"},
               {"tab is no blank", "\t5", "", "0|0|\t5"},
               {"misplaced sign", "5-", "", "5-|0|5-"}});
    }
    void amountTexts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(VALIDAIMPORTO(text) + '|' + QString::number(amountOf(text)) + '|' +
                     formatAmountText(text),
                 expected);
    }

    void formatting() {
        const QList<std::pair<double, QString>> cases{
            {-0.0, "0,00"},     {1500.0, "1500,00"}, {-0.125, "-0,13"},
            {1.005, "1,01"},    {0.1 + 0.2, "0,30"}, {0.124, "0,12"},
            {99.999, "100,00"}, {-0.004, "0,00"},    {9999999999.99, "9999999999,99"}};
        for (const auto& [value, text] : cases)
            QCOMPARE(formatAmount(value), text);
    }
};

QTEST_GUILESS_MAIN(TestAmount)
#include "tst_amount.moc"

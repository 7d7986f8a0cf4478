#include "editor/amount.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace LibrAgg770;

namespace {

// The entry form: the amount right-aligned in a box of 14 characters.
QString entry(const QString& amount) {
    return amount.rightJustified(amountBoxLength);
}

// Keys are written as the characters they type: "\b" is backspace, "\r" Enter, "\x1b" Escape,
// "\x16" Ctrl+V.
QString typeKeys(QString text, const QString& keys, bool signAllowed = true,
                 bool commaAllowed = true, int integerDigits = 10, int decimals = 2) {
    for (QChar key : keys)
        text = typed(filterAmountKey(text, key.unicode(), signAllowed, commaAllowed, integerDigits,
                                     decimals));
    return text;
}

QString describeKeys(const QList<int>& keys) {
    QStringList codes;
    for (int key : keys)
        codes << QString::number(key);
    return codes.join(u' ');
}

// What a box may hold while the user types: blanks, a sign, integer digits, a comma and at
// most two decimals, every part possibly still empty. Zeros typed after a minus are kept
// (the integer part is measured by its value), so ten digits are counted after them.
QString shapeFault(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^ *([+-]?)(0*)([0-9]*)(,[0-9]{0,2})?$"));
    if (text.size() > amountBoxLength)
        return QStringLiteral("longer than the box");
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return QStringLiteral("not an amount being typed");
    if (match.captured(3).size() > 10)
        return QStringLiteral("more than ten integer digits");
    if (match.captured(2).size() > 1 && match.captured(1) != QLatin1String("-"))
        return QStringLiteral("leading zeros");
    const bool hasDigit =
        !match.captured(2).isEmpty() || !match.captured(3).isEmpty() || match.capturedLength(4) > 1;
    if (hasDigit && !readNumber(text))
        return QStringLiteral("digits that read as no number");
    return {};
}

quint32 propertySeed() {
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("QUADROSX_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::global()->generate();
}

QList<int> randomKeys(QRandomGenerator& random) {
    static const QList<int> pool{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9',
                                 '0', '5', '+', '-', ',', '.', 8,   8,   '-', ',',
                                 'a', 'Z', '/', ' ', 22,  13,  27,  127, 0,   '9'};
    QList<int> keys(random.bounded(41));
    for (int& key : keys)
        key = pool.at(random.bounded(int(pool.size())));
    return keys;
}

QString randomStart(QRandomGenerator& random) {
    switch (random.bounded(4)) {
    case 0:
        return {};
    case 1:
        return zeroAmount();
    default: {
        const qint64 cents = random.bounded(Q_INT64_C(-999999999999), Q_INT64_C(1000000000000));
        return formatAmount(double(cents) / 100);
    }
    }
}

} // namespace

class AmountTest : public QObject {
    Q_OBJECT

  private slots:
    void typingIntoEmptyBox_data();
    void typingIntoEmptyBox();
    void typingIntoShownAmount_data();
    void typingIntoShownAmount();
    void typingWithOtherEntryRules_data();
    void typingWithOtherEntryRules();
    void realBoxTakesTheFilteredKey_data();
    void realBoxTakesTheFilteredKey();
    void randomTypingKeepsAnAmountShape();
    void realBoxAgreesWithTheFilter();

    void validAmountTexts_data();
    void validAmountTexts();
    void readingNumbers_data();
    void readingNumbers();
    void amountsForCalculations_data();
    void amountsForCalculations();
    void formattingAmounts_data();
    void formattingAmounts();
    void formattingAmountTexts_data();
    void formattingAmountTexts();
};

void AmountTest::typingIntoEmptyBox_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits, comma, decimals") << "123,45" << entry("123,45");
    QTest::newRow("third decimal refused") << "123,456" << entry("123,45");
    QTest::newRow("backspace resets to zero") << "123,45\b" << entry("0");
    QTest::newRow("digit after backspace replaces zero") << "123,45\b7" << entry("7");
    QTest::newRow("backspace in empty box") << "\b" << entry("0");
    QTest::newRow("minus then digit") << "-7" << entry("-7");
    QTest::newRow("period becomes comma") << "1.5" << entry("1,5");
    QTest::newRow("lone zero replaced") << "05" << entry("5");
    QTest::newRow("zero after a digit kept") << "50" << entry("50");
    QTest::newRow("second zero") << "00" << entry("0");
    QTest::newRow("zero then comma drops the zero") << "0,5" << entry(",5");
    QTest::newRow("ten integer digits then comma") << "1234567890,12" << entry("1234567890,12");
    QTest::newRow("eleventh integer digit refused") << "12345678901" << entry("1234567890");
    QTest::newRow("sign after ten digits refused") << "1234567890-" << entry("1234567890");
    QTest::newRow("longest negative amount fills box") << "-1234567890,129"
                                                       << "-1234567890,12";

    QTest::newRow("plus then minus") << "+-" << entry("-");
    QTest::newRow("plus then plus") << "++" << entry("+");
    QTest::newRow("plus then digits") << "+12" << entry("+12");
    QTest::newRow("plus zero loses the plus") << "+05" << entry("5");
    QTest::newRow("minus zero keeps the zero") << "-05" << entry("-05");
    QTest::newRow("sign replaces a lone comma") << ",-" << entry("-");
    QTest::newRow("minus after digit refused") << "5-" << entry("5");
    QTest::newRow("plus after digit refused") << "5+" << entry("5");
    QTest::newRow("minus after digit and comma refused") << "5,-" << entry("5,");
    QTest::newRow("second minus refused") << "--" << entry("-");
    QTest::newRow("plus after minus refused") << "-+" << entry("-");
    QTest::newRow("sign after comma and decimal refused") << ",5-" << entry(",5");
    QTest::newRow("sign after zero comma decimal refused") << "-0,5+" << entry("-0,5");

    QTest::newRow("second comma refused") << "1,," << entry("1,");
    QTest::newRow("period after comma refused") << "1,." << entry("1,");
    QTest::newRow("letters and controls ignored") << "1a/ \r\x1b\x16Z2" << entry("12");
    QTest::newRow("only refused keys") << "x\r\x16" << QString();
}

void AmountTest::typingIntoEmptyBox() {
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QCOMPARE(typeKeys(QString(), keys), expected);
}

void AmountTest::typingIntoShownAmount_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("backspace resets") << "1234,56"
                                      << "\b" << entry("0");
    QTest::newRow("backspace then new amount") << "1234,56"
                                               << "\b7,5" << entry("7,5");
    QTest::newRow("digit refused") << "1234,56"
                                   << "7"
                                   << "1234,56";
    QTest::newRow("sign refused") << "1234,56"
                                  << "-"
                                  << "1234,56";
    QTest::newRow("second minus refused") << "-7,00"
                                          << "-"
                                          << "-7,00";
    QTest::newRow("digit into zero") << "0,00"
                                     << "5" << entry("5");
    QTest::newRow("comma into zero") << "0,00"
                                     << "," << entry(",");
    QTest::newRow("negative amount into zero") << "0,00"
                                               << "-3" << entry("-3");
    QTest::newRow("refused key still clears zero") << "0,00"
                                                   << "x" << QString();
    QTest::newRow("zero written with period") << "0.00"
                                              << "4" << entry("4");
    QTest::newRow("zero written without integer") << ",00"
                                                  << "4" << entry("4");
    QTest::newRow("half keeps its decimals") << "0,50"
                                             << "1"
                                             << "0,50";
    QTest::newRow("full negative amount") << "-1234567890,12"
                                          << "5"
                                          << "-1234567890,12";
    QTest::newRow("typed zero then comma") << entry("0") << "," << entry(",");
}

void AmountTest::typingIntoShownAmount() {
    QFETCH(QString, shown);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QCOMPARE(typeKeys(shown, keys), expected);
}

void AmountTest::typingWithOtherEntryRules_data() {
    QTest::addColumn<bool>("signAllowed");
    QTest::addColumn<bool>("commaAllowed");
    QTest::addColumn<int>("integerDigits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");

    QTest::newRow("minus refused without signs") << false << true << 10 << 2 << "-5" << entry("5");
    QTest::newRow("comma refused without decimals")
        << true << false << 10 << 0 << "1,5" << entry("15");
    QTest::newRow("three integer digits") << true << true << 3 << 2 << "12345,6" << entry("123,6");
    QTest::newRow("three decimals") << true << true << 10 << 3 << "1,2345" << entry("1,234");
}

void AmountTest::typingWithOtherEntryRules() {
    QFETCH(bool, signAllowed);
    QFETCH(bool, commaAllowed);
    QFETCH(int, integerDigits);
    QFETCH(int, decimals);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QCOMPARE(typeKeys(QString(), keys, signAllowed, commaAllowed, integerDigits, decimals),
             expected);
}

void AmountTest::realBoxTakesTheFilteredKey_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("handedOn");
    QTest::addColumn<QString>("expected");

    QTest::newRow("caret moved to the end")
        << entry("12") << 3 << false << int('3') << int('3') << entry("123");
    QTest::newRow("selection dropped")
        << entry("12") << 0 << true << int('3') << int('3') << entry("123");
    QTest::newRow("period handed on as comma")
        << QString() << 0 << false << int('.') << int(',') << entry(",");
    QTest::newRow("backspace hands on a zero the full box refuses")
        << "1234,56" << 2 << true << 8 << int('0') << entry("0");
    QTest::newRow("refused sign in full box")
        << entry("5") << 0 << false << int('-') << int('-') << entry("5");
    QTest::newRow("swallowed key clears zero")
        << "0,00" << 1 << false << int('x') << 0 << QString();
    QTest::newRow("third decimal swallowed")
        << entry("1,23") << 5 << false << int('4') << 0 << entry("1,23");
}

void AmountTest::realBoxTakesTheFilteredKey() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, selectAll);
    QFETCH(int, key);
    QFETCH(int, handedOn);
    QFETCH(QString, expected);

    QLineEdit box;
    box.setMaxLength(amountBoxLength);
    box.setText(text);
    box.setCursorPosition(caret);
    if (selectAll)
        box.selectAll();
    const int result = FILTROIMPORTO(&box, key, true, true, 10, 2);
    QCOMPARE(result, handedOn);
    if (result != 0) {
        QVERIFY(!box.hasSelectedText());
        QCOMPARE(box.cursorPosition(), int(box.text().size()));
        box.insert(QString(QChar(result)));
    }
    QCOMPARE(box.text(), expected);
}

void AmountTest::randomTypingKeepsAnAmountShape() {
    const quint32 seed = propertySeed();
    QRandomGenerator random(seed);
    for (int sequence = 0; sequence < 20000; ++sequence) {
        const QString start = randomStart(random);
        const QList<int> keys = randomKeys(random);
        QString text = start;
        for (int key : keys) {
            text = typed(filterAmountKey(text, key, true, true, 10, 2));
            const QString fault = shapeFault(text);
            if (!fault.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1 (set QUADROSX_SEED to repeat): \"%2\" "
                                                "after keys %3 from \"%4\": %5")
                                     .arg(seed)
                                     .arg(text, describeKeys(keys), start, fault)));
        }
    }
}

void AmountTest::realBoxAgreesWithTheFilter() {
    const quint32 seed = propertySeed();
    QRandomGenerator random(seed);
    QLineEdit box;
    box.setMaxLength(amountBoxLength);
    for (int sequence = 0; sequence < 2000; ++sequence) {
        const QString start = randomStart(random);
        const QList<int> keys = randomKeys(random);
        box.setText(start);
        box.setCursorPosition(random.bounded(int(start.size()) + 1));
        QString text = start;
        for (int key : keys) {
            text = typed(filterAmountKey(text, key, true, true, 10, 2));
            const int handedOn = FILTROIMPORTO(&box, key, true, true, 10, 2);
            if (handedOn != 0)
                box.insert(QString(QChar(handedOn)));
            if (box.text() != text)
                QFAIL(qPrintable(QStringLiteral("seed %1: box \"%2\", filter \"%3\" after keys %4 "
                                                "from \"%5\"")
                                     .arg(seed)
                                     .arg(box.text(), text, describeKeys(keys), start)));
        }
    }
}

void AmountTest::validAmountTexts_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("amount with decimals") << "12,5"
                                          << "12,5";
    QTest::newRow("entry form kept with its blanks") << entry("-7") << entry("-7");
    QTest::newRow("thousands and decimals") << "1.234,56"
                                            << "1.234,56";
    QTest::newRow("lone comma is kept") << ","
                                        << ",";
    QTest::newRow("null") << QString() << "0";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("blanks") << "   "
                            << "0";
    QTest::newRow("lone minus") << "-"
                                << "0";
    QTest::newRow("lone plus between blanks") << " + "
                                              << "0";
    QTest::newRow("letter") << "12a"
                            << "0";
    QTest::newRow("slash") << "12/5"
                           << "0";
    QTest::newRow("exponent") << "1e5"
                              << "0";
    QTest::newRow("tab is no blank") << "\t5"
                                     << "0";
}

void AmountTest::validAmountTexts() {
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(VALIDAIMPORTO(value), expected);
}

void AmountTest::readingNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("expected");

    QTest::newRow("comma decimal") << "12,5" << true << 12.5;
    QTest::newRow("thousands separator") << "1.234,56" << true << 1234.56;
    QTest::newRow("two thousands separators") << "1.234.567,8" << true << 1234567.8;
    QTest::newRow("surrounding blanks") << " 5 " << true << 5.0;
    QTest::newRow("entry form") << entry("-123,45") << true << -123.45;
    QTest::newRow("plus sign") << "+5" << true << 5.0;
    QTest::newRow("decimals only") << ",5" << true << 0.5;
    QTest::newRow("negative decimals only") << "-,5" << true << -0.5;
    QTest::newRow("comma without decimals") << "5," << true << 5.0;
    QTest::newRow("zeros after minus") << "-0012" << true << -12.0;
    QTest::newRow("largest amount") << "9999999999,99" << true << 9999999999.99;

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks") << "    " << false << 0.0;
    QTest::newRow("lone minus") << "-" << false << 0.0;
    QTest::newRow("lone plus") << "+" << false << 0.0;
    QTest::newRow("sign and comma") << "-," << false << 0.0;
    QTest::newRow("letter after digits") << "12a" << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("period after comma") << "1,234.5" << false << 0.0;
    QTest::newRow("sign at the end") << "5-" << false << 0.0;
    QTest::newRow("two signs") << "--5" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
}

void AmountTest::readingNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, expected);
    const std::optional<double> number = readNumber(text);
    QCOMPARE(number.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*number, expected);
}

void AmountTest::amountsForCalculations_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("display form") << "-1500,25" << -1500.25;
    QTest::newRow("entry form") << entry("1.234,5") << 1234.5;
    QTest::newRow("empty cell") << "" << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("lone comma") << "," << 0.0;
    QTest::newRow("damaged text") << "12a" << 0.0;
    QTest::newRow("misplaced sign") << "5-" << 0.0;
}

void AmountTest::amountsForCalculations() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(amountOf(text), expected);
}

void AmountTest::formattingAmounts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("negative zero") << -0.0 << "0,00";
    QTest::newRow("thousands without separator") << 1500.0 << "1500,00";
    QTest::newRow("half") << 0.5 << "0,50";
    QTest::newRow("two decimals") << 123.45 << "123,45";
    QTest::newRow("negative") << -7.0 << "-7,00";
    QTest::newRow("half cent rounds up") << 0.125 << "0,13";
    QTest::newRow("negative half cent rounds away") << -0.125 << "-0,13";
    QTest::newRow("half cent below binary") << 1.005 << "1,01";
    QTest::newRow("half cent below binary 2") << 2.675 << "2,68";
    QTest::newRow("sum with binary error") << 0.1 + 0.2 << "0,30";
    QTest::newRow("below half cent") << 0.124 << "0,12";
    QTest::newRow("carry into integer") << 9.995 << "10,00";
    QTest::newRow("carry through nines") << 99.999 << "100,00";
    QTest::newRow("tiny positive") << 0.004 << "0,00";
    QTest::newRow("tiny negative shows no sign") << -0.004 << "0,00";
    QTest::newRow("negative half cent") << -0.005 << "-0,01";
    QTest::newRow("very small") << 1e-7 << "0,00";
    QTest::newRow("largest amount") << 9999999999.99 << "9999999999,99";
    QTest::newRow("largest negative") << -1234567890.12 << "-1234567890,12";
    QTest::newRow("beyond the box") << 1e15 << "1000000000000000,00";
}

void AmountTest::formattingAmounts() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatAmount(value), expected);
}

void AmountTest::formattingAmountTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("already shown") << "123,45"
                                   << "123,45";
    QTest::newRow("decimals only") << ",5"
                                   << "0,50";
    QTest::newRow("negative integer") << "-7"
                                      << "-7,00";
    QTest::newRow("entry form") << entry("12") << "12,00";
    QTest::newRow("comma without decimals") << "5,"
                                            << "5,00";
    QTest::newRow("thousands separator") << "1.234,5"
                                         << "1234,50";
    QTest::newRow("rounded") << "0,125"
                             << "0,13";
    QTest::newRow("negative zero") << "-0"
                                   << "0,00";
    QTest::newRow("lone minus unchanged") << "-"
                                          << "-";
    QTest::newRow("empty unchanged") << ""
                                     << "";
    QTest::newRow("letters unchanged") << "12a"
                                       << "12a";
}

void AmountTest::formattingAmountTexts() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(formatAmountText(text), expected);
}

QTEST_MAIN(AmountTest)
#include "tst_amount.moc"

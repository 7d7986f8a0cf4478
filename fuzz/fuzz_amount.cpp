// Fuzzes the amount routines. An input is three lines:
//   1. the box's starting amount: empty for an empty box, otherwise read as a number and put
//      in its display form (zero when it reads as no number or would not fit the box);
//   2. keys typed into the box, one byte each (8 is backspace);
//   3. a text handed to VALIDAIMPORTO, read as a number and formatted; its first 8 bytes are
//      also formatted as a raw double.
// A broken rule aborts, so libFuzzer reports the input.
#include "editor/amount.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace LibrAgg770;

namespace {

constexpr int integerDigits = 10;
constexpr int decimals = 2;
constexpr int backspaceKey = 8;

[[noreturn]] void fail(const char* rule, const QString& text) {
    std::fprintf(stderr, "amount rule broken: %s: \"%s\"\n", rule, qUtf8Printable(text));
    std::abort();
}

void require(bool holds, const char* rule, const QString& text) {
    if (!holds)
        fail(rule, text);
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c) {
    return c == u' ';
}

QString trimmedBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

// What a box may hold while the user types: blanks, a sign, integer digits, a comma and at most
// two decimals, every part possibly still empty, at most 14 characters. Zeros may lead the
// integer digits only after a minus; ten digits at most are counted after them.
const char* entryFault(const QString& text) {
    if (text.size() > amountBoxLength)
        return "longer than the box";
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    QChar sign;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        sign = text.at(i++);
    qsizetype zeros = 0;
    for (; i < text.size() && text.at(i) == u'0'; ++i)
        ++zeros;
    qsizetype significant = 0;
    for (; i < text.size() && isDigit(text.at(i)); ++i)
        ++significant;
    qsizetype fraction = -1;
    if (i < text.size() && text.at(i) == u',') {
        fraction = 0;
        for (++i; i < text.size() && isDigit(text.at(i)); ++i)
            ++fraction;
    }
    if (i != text.size())
        return "not an amount being typed";
    if (fraction > decimals)
        return "more than two decimals";
    if (significant > integerDigits)
        return "more than ten integer digits";
    if (zeros > 1 && sign != u'-')
        return "leading zeros";
    if ((zeros + significant + std::max<qsizetype>(fraction, 0)) > 0 && !readNumber(text))
        return "digits that read as no number";
    return nullptr;
}

// The display form: an optional minus, the integer digits without leading zeros, a comma and
// two decimals; zero carries no sign.
bool isDisplayForm(const QString& text) {
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0 || text.size() - comma != 3 || !isDigit(text.at(comma + 1)) ||
        !isDigit(text.at(comma + 2)))
        return false;
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    const QString integer = text.mid(start, comma - start);
    if (integer.isEmpty() || (integer.size() > 1 && integer.startsWith(u'0')))
        return false;
    for (QChar c : integer) {
        if (!isDigit(c))
            return false;
    }
    return !(start == 1 && text == QLatin1String("-0,00"));
}

QString startingText(const QString& line) {
    if (line.isEmpty())
        return {};
    const std::optional<double> value = readNumber(line);
    if (!value)
        return zeroAmount();
    const QString shown = formatAmount(*value);
    return entryFault(shown) ? zeroAmount() : shown;
}

// The box's text after each key keeps the entry shape; leaving the box shows a display form
// that still fits it.
void typeKeys(const QString& start, const QByteArray& keys) {
    QString text = start;
    for (const char byte : keys) {
        const int key = static_cast<unsigned char>(byte);
        const FilterResult result = filterAmountKey(text, key, true, true, integerDigits, decimals);
        const bool handedOnAsTyped = result.key == 0 || result.key == key ||
                                     (key == '.' && result.key == ',') ||
                                     (key == backspaceKey && result.key == '0');
        require(handedOnAsTyped, "a key handed on that was not typed", result.text);
        text = typed(result);
        if (const char* fault = entryFault(text))
            fail(fault, text);
    }
    const QString left = trimmedBlanks(text).isEmpty() ? QStringLiteral("0") : text;
    const QString shown = formatAmountText(left);
    if (readNumber(left)) {
        require(isDisplayForm(shown), "left box not in display form", shown);
        require(shown.size() <= amountBoxLength, "display form longer than the box", shown);
    } else {
        require(shown == left, "text that is no number changed on leaving", shown);
    }
}

// A plain amount text: blanks, an optional sign, digits, optionally a comma and digits, blanks.
// When it has at most 15 significant digits its double's shortest form is the text itself,
// so its display form is worked out here on the digits: rounded half away from zero.
std::optional<QString> displayOfPlainText(const QString& text) {
    const QString s = trimmedBlanks(text);
    qsizetype i = 0;
    const bool negative = i < s.size() && s.at(i) == u'-';
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    QString integer;
    for (; i < s.size() && isDigit(s.at(i)); ++i)
        integer += s.at(i);
    QString fraction;
    if (i < s.size() && s.at(i) == u',') {
        for (++i; i < s.size() && isDigit(s.at(i)); ++i)
            fraction += s.at(i);
    }
    if (i != s.size() || (integer.isEmpty() && fraction.isEmpty()))
        return std::nullopt;
    while (integer.startsWith(u'0'))
        integer.remove(0, 1);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString significant = integer + fraction;
    while (significant.startsWith(u'0'))
        significant.remove(0, 1);
    if (significant.size() > 15)
        return std::nullopt;

    const QString padded = fraction + QStringLiteral("000");
    long long cents = (integer.isEmpty() ? 0 : integer.toLongLong()) * 100 + padded.left(2).toInt();
    if (padded.at(2) >= u'5')
        ++cents;
    const QString sign = negative && cents != 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(cents / 100) + u',' +
           QString::number(cents % 100).rightJustified(2, u'0');
}

// A value's display form reads back as the value rounded to cents. `from` names the value's
// origin in a report, its digits when empty.
void checkFormatted(double value, const QString& from) {
    const QString shown = formatAmount(value);
    require(isDisplayForm(shown), "formatted amount not in display form", shown);
    if (!std::isfinite(value) || std::fabs(value) >= 1e9)
        return;
    const std::optional<double> back = readNumber(shown);
    require(back.has_value(), "display form reads as no number", shown);
    if (std::fabs(*back - value) > 0.005 + 1e-6)
        fail("display form is not the value in cents",
             (from.isEmpty() ? QString::number(value, 'g', 17) : from) + QStringLiteral(" -> ") +
                 shown);
}

void checkText(const QString& text) {
    const QString valid = VALIDAIMPORTO(text);
    require(valid == text || valid == QLatin1String("0"), "VALIDAIMPORTO made up a text", valid);
    if (valid != text || text.count(u',') > 1)
        return;
    for (QChar c : text)
        require(QStringLiteral("0123456789+-., ").contains(c), "VALIDAIMPORTO let through", text);
    const std::optional<double> value = readNumber(text);
    if (!value)
        return;
    require(std::isfinite(*value), "amount text read as no finite number", text);
    checkFormatted(*value, text);
    const std::optional<QString> expected = displayOfPlainText(text);
    if (expected && std::fabs(*value) < 1e13 && formatAmount(*value) != *expected)
        fail("amount text rounded wrongly to cents", text + QStringLiteral(" -> ") +
                                                         formatAmount(*value) +
                                                         QStringLiteral(", not ") + *expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype firstEnd = input.indexOf('\n');
    const qsizetype secondEnd = firstEnd < 0 ? -1 : input.indexOf('\n', firstEnd + 1);
    const QByteArray startLine = firstEnd < 0 ? input : input.left(firstEnd);
    const QByteArray keys = firstEnd < 0    ? QByteArray()
                            : secondEnd < 0 ? input.mid(firstEnd + 1)
                                            : input.mid(firstEnd + 1, secondEnd - firstEnd - 1);
    const QByteArray textLine = secondEnd < 0 ? QByteArray() : input.mid(secondEnd + 1);

    typeKeys(startingText(QString::fromUtf8(startLine)), keys);
    checkText(QString::fromUtf8(textLine));
    if (textLine.size() >= qsizetype(sizeof(double))) {
        double raw = 0;
        std::memcpy(&raw, textLine.constData(), sizeof raw);
        checkFormatted(raw, QString());
    }
    return 0;
}

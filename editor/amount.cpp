#include "editor/amount.h"

#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace LibrAgg770 {

namespace {

constexpr int backspaceKey = 8;
constexpr int plusKey = 43;
constexpr int commaKey = 44;
constexpr int minusKey = 45;
constexpr int periodKey = 46;
constexpr int zeroKey = 48;

constexpr QChar blank(u' ');
constexpr QChar comma(u',');

bool isDigitKey(int key) {
    return key >= zeroKey && key <= zeroKey + 9;
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Amount texts pad with blanks only; a tab or another space character is no blank here.
QStringView trimmedBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == blank)
        ++first;
    while (last > first && text.at(last - 1) == blank)
        --last;
    return text.mid(first, last - first);
}

// The digits of a text's integer value with the leading zeros dropped: after the leading
// blanks and an optional sign, the digits up to the first other character. Empty means 0.
QStringView integerValueDigits(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == blank)
        ++i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    while (i < text.size() && text.at(i) == u'0')
        ++i;
    const qsizetype start = i;
    while (i < text.size() && isAsciiDigit(text.at(i)))
        ++i;
    return text.mid(start, i - start);
}

bool isZeroText(const QString& text, int decimals) {
    const QStringView s = trimmedBlanks(text);
    if (s.isEmpty() || s == QLatin1String("0"))
        return true;
    const QString zeros(decimals, u'0');
    for (const char* lead : {"0,", "0.", ",", "."}) {
        if (s == QLatin1String(lead) + zeros)
            return true;
    }
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c == u'0'; });
}

// Digits after the comma, blanks and sign not counted.
int decimalsTyped(const QString& text) {
    const QString after = text.mid(text.indexOf(comma) + 1);
    return int(after.size() - after.count(blank) - after.count(u'+') - after.count(u'-'));
}

// Makes room for one character at the right end of a right-aligned box.
QString shiftedLeft(const QString& text, int maxLength) {
    return (QString(maxLength, blank) + text).right(maxLength).mid(1);
}

// Where a sign key leads once it is allowed: the text to shift, or nothing when refused.
std::optional<QString> textForSign(const QString& text) {
    const QStringView s = trimmedBlanks(text);
    if (s.isEmpty())
        return text;
    if (s == QLatin1String("+") || s == QLatin1String(","))
        return text.chopped(1);
    return std::nullopt;
}

} // namespace

FilterResult filterAmountKey(const QString& text, int key, bool signAllowed, bool commaAllowed,
                             int integerDigits, int decimals, int maxLength) {
    QString t = isZeroText(text, decimals) ? QString() : text;
    // A zero text stays cleared even when the key is then refused.
    const FilterResult swallowed{t, 0};
    if (key == commaKey && !commaAllowed)
        return swallowed;
    const int k = key == periodKey ? commaKey : key;
    if (k != backspaceKey && k != plusKey && k != commaKey && k != minusKey && !isDigitKey(k))
        return swallowed;
    const bool hasComma = t.contains(comma);
    const bool hasMinus = t.contains(u'-');
    if ((hasComma && k == commaKey) || (hasMinus && k == minusKey) ||
        (k == minusKey && !signAllowed))
        return swallowed;

    const QStringView digits = integerValueDigits(t);
    const bool zeroInteger = digits.isEmpty();
    const int integerLength = std::max(1, int(digits.size()));

    // The box is full after a backspace, so the zero handed on is not inserted: backspace
    // resets the whole amount, it never deletes one character.
    if (k == backspaceKey)
        return {QString(maxLength - 1, blank) + QChar(u'0'), zeroKey};
    const int fullLength = int(signAllowed) + int(commaAllowed) + integerDigits + decimals;
    if (trimmedBlanks(t).size() >= fullLength)
        return {t, k};
    if (zeroInteger && !hasComma && !hasMinus && t.endsWith(u'0'))
        t.clear();
    if (!hasComma && integerLength >= integerDigits && k != commaKey)
        return {t, k};
    if (hasComma && decimalsTyped(t) == decimals)
        return swallowed;

    const bool commaEnters = k == commaKey && commaAllowed && !hasComma;
    if (!isDigitKey(k) && !commaEnters) {
        const bool isSign = k == plusKey || k == minusKey;
        if (!isSign || !signAllowed || !zeroInteger)
            return {t, k};
        // A sign after ",5", "0,5" or "-" would leave a text that is no number: it is
        // refused. After a lone "+" or "," it replaces that character.
        const std::optional<QString> room = textForSign(t);
        if (!room)
            return swallowed;
        t = *room;
    }
    return {shiftedLeft(t, maxLength), k};
}

QString typed(const FilterResult& result, int maxLength) {
    if (result.key == 0 || result.text.size() >= maxLength)
        return result.text;
    return result.text + QChar(result.key);
}

int FILTROIMPORTO(QLineEdit* box, int key, bool signAllowed, bool commaAllowed, int integerDigits,
                  int decimals) {
    const FilterResult result = filterAmountKey(box->text(), key, signAllowed, commaAllowed,
                                                integerDigits, decimals, amountBoxLength);
    if (result.text != box->text())
        box->setText(result.text);
    if (result.key != 0)
        box->setCursorPosition(int(result.text.size()));
    return result.key;
}

QString VALIDAIMPORTO(const QString& value) {
    const QStringView s = trimmedBlanks(value);
    if (value.isNull() || s.isEmpty() || s == QLatin1String("+") || s == QLatin1String("-"))
        return QStringLiteral("0");
    for (QChar c : value) {
        if (!isAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.' && c != comma && c != blank)
            return QStringLiteral("0");
    }
    return value;
}

namespace {

// Any text that reads as a number: the digits, the point, the sign, then the locale-free
// conversion.
std::optional<double> readNumberSlowly(QStringView s) {
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        number += s.at(i++);
    bool anyDigit = false;
    // A period groups thousands, so it is passed over wherever it stands before the comma.
    for (; i < s.size() && s.at(i) != comma; ++i) {
        if (s.at(i) == u'.')
            continue;
        if (!isAsciiDigit(s.at(i)))
            return std::nullopt;
        number += s.at(i);
        anyDigit = true;
    }
    if (i < s.size()) {
        number += u'.';
        for (++i; i < s.size(); ++i) {
            if (!isAsciiDigit(s.at(i)))
                return std::nullopt;
            number += s.at(i);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Up to 15 digits make an integer a double holds exactly, and one division by an exact power of
// ten rounds it correctly: the same double as the full conversion, many times faster. Empty when
// the text needs the full conversion, or is no number.
std::optional<double> readShortNumber(QStringView s, bool& decided) {
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    decided = true;
    qsizetype i = 0;
    const bool negative = i < s.size() && s.at(i) == u'-';
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qint64 digits = 0;
    int count = 0;
    int decimals = 0;
    bool afterComma = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == comma && !afterComma) {
            afterComma = true;
        } else if (c == u'.' && !afterComma) {
            continue;
        } else if (isAsciiDigit(c)) {
            if (++count > 15) {
                decided = false;
                return std::nullopt;
            }
            digits = digits * 10 + (c.unicode() - u'0');
            decimals += afterComma ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0)
        return std::nullopt;
    const double value = double(digits) / powersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

std::optional<double> readNumber(const QString& text) {
    const QStringView s = trimmedBlanks(text);
    bool decided = false;
    const std::optional<double> value = readShortNumber(s, decided);
    return decided ? value : readNumberSlowly(s);
}

double amountOf(const QString& text) {
    return readNumber(VALIDAIMPORTO(text)).value_or(0.0);
}

namespace {

// Adds one to a string of decimal digits, growing it when every digit was 9.
QString incremented(QString digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) != u'9') {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
        digits[i] = u'0';
    }
    return QChar(u'1') + digits;
}

} // namespace

namespace {

QString formatAmountSlowly(double value) {
    // The shortest decimal form is the number the user typed or the sum meant: 0.125 and
    // 0.1 + 0.2 round as written there, not as their binary approximations.
    const QString shortest = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(u'.');
    const QString integerPart = point < 0 ? shortest : shortest.left(point);
    const QString fraction = point < 0 ? QString() : shortest.mid(point + 1);

    QString cents = integerPart + (fraction + QStringLiteral("00")).left(2);
    if (fraction.size() > 2 && fraction.at(2) >= u'5')
        cents = incremented(cents);
    while (cents.size() > 3 && cents.startsWith(u'0'))
        cents.remove(0, 1);
    cents = cents.rightJustified(3, u'0');

    const bool isZero =
        std::all_of(cents.cbegin(), cents.cend(), [](QChar c) { return c == u'0'; });
    const QString sign = value < 0 && !isZero ? QStringLiteral("-") : QString();
    return sign + cents.chopped(2) + comma + cents.right(2);
}

// "-1234,56" for -123456 cents.
QString centsText(qint64 cents) {
    char text[24];
    char* start = text + sizeof text;
    qint64 rest = cents < 0 ? -cents : cents;
    for (int place = 0; place < 3 || rest > 0; ++place) {
        if (place == 2)
            *--start = ',';
        *--start = char('0' + rest % 10);
        rest /= 10;
    }
    if (cents < 0)
        *--start = '-';
    return QString::fromLatin1(start, text + sizeof text - start);
}

} // namespace

double shownValue(double value) {
    if (std::fabs(value) < 1e13 && double(std::llround(value * 100)) / 100 == value)
        return value;
    return readNumber(formatAmount(value)).value_or(0.0);
}

QString formatAmount(double value) {
    if (!std::isfinite(value))
        return formatAmount(0.0); // no amount text reads as one
    // When the nearest double to a whole number of cents is the value itself, the value's
    // shortest decimal form is those cents: no rounding is left to do.
    if (std::fabs(value) < 1e13) {
        const qint64 cents = std::llround(value * 100);
        if (double(cents) / 100 == value)
            return centsText(cents);
    }
    return formatAmountSlowly(value);
}

QString formatAmountText(const QString& text) {
    const std::optional<double> value = readNumber(text);
    return value ? formatAmount(*value) : text;
}

} // namespace LibrAgg770

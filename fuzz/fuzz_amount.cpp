// Fuzzes the amount routines. An input is three lines: the box's starting amount (empty: an
// empty box; else read as a number and shown in its display form), the keys typed into the box
// one byte each (8 is Backspace), and a text handed to VALIDAIMPORTO and read as a number, whose
// first 8 bytes are also formatted as a raw double. A broken rule aborts.
#include "editor/amount.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QRegularExpression>

using namespace LibrAgg770;

namespace {

void require(bool holds, const char* rule, const QString& text) {
    if (holds)
        return;
    std::fprintf(stderr, "amount rule broken: %s: \"%s\"\n", rule, qUtf8Printable(text));
    std::abort();
}

// While typing: blanks, a sign, zeros (several only after a minus), at most ten more digits, a
// comma and at most two decimals.
bool isEntryForm(const QString& text) {
    static const QRegularExpression entry(
        QStringLiteral("^ *(-0*|\\+?0?)([1-9][0-9]{0,9})?(,[0-9]{0,2})?$"));
    return text.size() <= amountBoxLength && entry.match(text).hasMatch();
}

bool isDisplayForm(const QString& text) {
    static const QRegularExpression shown(QStringLiteral("^-?(0|[1-9][0-9]*),[0-9]{2}$"));
    return shown.match(text).hasMatch() && text != QLatin1String("-0,00");
}

void checkFormatted(double value, const QString& from) {
    const QString shown = formatAmount(value);
    require(isDisplayForm(shown), "formatted amount not in display form", shown);
    if (std::isfinite(value) && std::fabs(value) < 1e9)
        require(std::fabs(readNumber(shown).value_or(1e18) - value) <= 0.005 + 1e-6,
                "display form is not the value in cents", from + QStringLiteral(" -> ") + shown);
}

void typeKeys(const QString& startLine, const QByteArray& keys) {
    QString text;
    if (!startLine.isEmpty()) {
        text = formatAmount(readNumber(startLine).value_or(0.0));
        if (!isEntryForm(text))
            text = zeroAmount();
    }
    for (const char byte : keys) {
        const int key = static_cast<unsigned char>(byte);
        const FilterResult result = filterAmountKey(text, key, true, true, 10, 2);
        require(result.key == 0 || result.key == key || (key == '.' && result.key == ',') ||
                    (key == 8 && result.key == '0'),
                "a key handed on that was not typed", result.text);
        text = typed(result);
        require(isEntryForm(text), "not an amount being typed", text);
    }
    const QString left = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    const QString shown = formatAmountText(left);
    require(readNumber(left) ? isDisplayForm(shown) && shown.size() <= amountBoxLength
                             : shown == left,
            "leaving the box does not show the display form", shown);
}

void checkText(const QString& text) {
    const QString valid = VALIDAIMPORTO(text);
    require(valid == text || valid == QLatin1String("0"), "VALIDAIMPORTO made up a text", valid);
    if (valid != text)
        return;
    for (QChar c : text)
        require(QStringLiteral("0123456789+-., ").contains(c), "VALIDAIMPORTO let through", text);
    if (const std::optional<double> value = readNumber(text)) {
        require(std::isfinite(*value), "amount text read as no finite number", text);
        checkFormatted(*value, text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\n');
    const QByteArray textLine = lines.size() > 2 ? lines.mid(2).join('\n') : QByteArray();
    typeKeys(QString::fromUtf8(lines.value(0)), lines.value(1));
    checkText(QString::fromUtf8(textLine));
    if (textLine.size() >= qsizetype(sizeof(double))) {
        double raw = 0;
        std::memcpy(&raw, textLine.constData(), sizeof raw);
        checkFormatted(raw, QString::number(raw, 'g', 17));
    }
    return 0;
}

#pragma once

#include <optional>
#include <QString>

class QLineEdit;

// Amounts held as text: typed key by key in a right-aligned box of 14 characters, shown with
// a comma and two decimals, read as numbers with the comma as decimal separator.
namespace LibrAgg770 {

// The maximum length of every amount box: a sign, 10 integer digits, a comma, 2 decimals.
constexpr int amountBoxLength = 14;

struct FilterResult {
    QString text; // the box's text after the key was handed on (unchanged when swallowed)
    int key;      // the code to hand on to the box, 0 when the key is swallowed
};

// The amount filter on a box's text alone. The box inserts a handed-on key at the caret, which
// the filter has put at the end; `typed()` below applies that insertion.
FilterResult filterAmountKey(const QString& text, int key, bool signAllowed, bool commaAllowed,
                             int integerDigits, int decimals, int maxLength = amountBoxLength);

// What the box holds after the filter's result was handed on: the key, when not 0, appended
// at the end unless the box is full.
QString typed(const FilterResult& result, int maxLength = amountBoxLength);

// The filter on a real box: may rewrite its text and caret; returns the key to hand on.
int FILTROIMPORTO(QLineEdit* box, int key, bool signAllowed, bool commaAllowed, int integerDigits,
                  int decimals);

// `value` unchanged when it is usable as an amount text, otherwise "0".
QString VALIDAIMPORTO(const QString& value);

// The number an amount text stands for: comma decimal separator, period thousands separator,
// leading and trailing blanks ignored. Empty when the text is no number.
std::optional<double> readNumber(const QString& text);

// The amount of a text as every check and total reads it: through VALIDAIMPORTO, 0 for
// anything that is no number.
double amountOf(const QString& text);

// The display form: optional "-", at least one integer digit, a comma, two decimals, rounded
// half away from zero on the value's shortest decimal form (0,125 -> 0,13).
QString formatAmount(double value);

// The number the display form of `value` reads back as: the value rounded to the cent as
// the display form rounds it.
double shownValue(double value);

// The display form of an amount text; a text that is no number is returned unchanged.
QString formatAmountText(const QString& text);

// The display form of zero.
inline QString zeroAmount() {
    return formatAmount(0.0);
}

} // namespace LibrAgg770

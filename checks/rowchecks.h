#pragma once

#include "app/messageboxes.h"

#include <array>
#include <functional>
#include <QString>
#include <QtGlobal>

// The checks of an open region row before it goes into the SX row table: the offer to compute
// box 6, then three rules, each a warning the user may override. The boxes are numbered 1-6
// as in the row frame (`Text1(box + 11)`, headed by `testate3(box + 11)`).
namespace RowChecks {

// Yes/No with the question icon, Yes the default.
constexpr int questionStyle = MessageBoxes::YesNo + MessageBoxes::Question;
// OK alone with the information icon.
constexpr int informationStyle = MessageBoxes::OkOnly + MessageBoxes::Information;

// a1 to a6 at index 1-6, in whole cents; index 0 is unused. Whole cents, so that amounts
// equal to the cent compare equal: in binary fractions 0,30 - 0,10 falls short of 0,20.
using BoxValues = std::array<qint64, 7>;

// The value of a box's text in cents, read directly rather than through VALIDAIMPORTO; a text
// that is no number (a lone sign left by the amount filter) counts as 0, as in every total.
qint64 boxValue(const QString& text);

// a1 to a6 from `boxText(1)` to `boxText(6)`.
BoxValues boxValues(const std::function<QString(int box)>& boxText);

// The offer to compute box 6.
QString box6Question();

// a1 - a2 + a3 - a4 - a5, in the display form box 6 receives.
QString automaticBox6(const BoxValues& a);

// Box 6 as read back after the automatic computation: zero or below becomes zero, after the
// information box.
bool box6GoesToZero(qint64 box6);
QString box6ZeroInformation(qint64 box6);

enum class Rule {
    Box2OverBox1,  // a2 > a1
    Box5OverBound, // a5 > (a1 - a2) + (a3 - a6)
    Box6OverBound, // a6 > ((a1 - a2) + a3) - a5
};
// In the order they are checked; the first refused warning ends the checks.
constexpr std::array<Rule, 3> rules = {Rule::Box2OverBox1, Rule::Box5OverBound,
                                       Rule::Box6OverBound};

// In whole cents; equality passes, one cent more breaks the rule. Box 4 takes no part.
bool isBroken(Rule rule, const BoxValues& a);

// The box marked yellow while the warning is open and focused when the user refuses it.
int boxOf(Rule rule);

// The warning, naming the boxes by their column titles (`title(box)`, blanks trimmed here).
QString warningText(Rule rule, const std::function<QString(int box)>& title);

} // namespace RowChecks

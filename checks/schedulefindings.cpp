#include "checks/schedulefindings.h"

#include "checks/fieldchecks.h"
#include "checks/rowchecks.h"
#include "editor/amount.h"

#include <cmath>

using LibrAgg770::amountOf;
using LibrAgg770::formatAmountText;

namespace ScheduleFindings {

namespace {

QString ruleText(RowChecks::Rule rule) {
    switch (rule) {
    case RowChecks::Rule::Box2OverBox1:
        return QStringLiteral("maggiore di casella 1");
    case RowChecks::Rule::Box5OverBound:
        return QStringLiteral("maggiore di casella 1 - casella 2 + casella 3 - casella 6");
    case RowChecks::Rule::Box6OverBound:
        return QStringLiteral("maggiore di casella 1 - casella 2 + casella 3 - casella 5");
    }
    return {};
}

double fromCents(qint64 cents) {
    return double(cents) / 100;
}

void addSummaryFindings(const CellReader& cell, QList<Finding>& findings) {
    const auto summaryBox = [&cell](int column) { return formatAmountText(cell(1, column)); };
    const ColumnSums sums = columnSums(cell);
    for (int k : differingSx4Boxes(sums, [&](int k) { return summaryBox(k + 1); }))
        findings.append({4, k, QStringLiteral("diversa dalla somma della colonna"),
                         amountOf(summaryBox(k + 1)), roundedToCents(sums[k])});
    if (FieldChecks::sx1ExceedsSx4Box3(summaryBox(1), summaryBox(4)))
        findings.append({1, 1, QStringLiteral("maggiore di SX4 casella 3"), amountOf(summaryBox(1)),
                         amountOf(summaryBox(4))});
}

void addRowFindings(const CellReader& cell, int row, QList<Finding>& findings) {
    // Each box in cents as the opened row shows it (its display form), 0 for a text that is no
    // number: what RowChecks::boxValue reads from the box, without making the text.
    RowChecks::BoxValues a{};
    for (int box = 1; box <= 6; ++box)
        a[box] = std::llround(
            LibrAgg770::shownValue(LibrAgg770::readNumber(cell(row, box + 1)).value_or(0.0)) * 100);
    for (const RowChecks::Rule rule : RowChecks::rules)
        if (RowChecks::isBroken(rule, a))
            findings.append({row + 3, RowChecks::boxOf(rule), ruleText(rule),
                             fromCents(a[RowChecks::boxOf(rule)]),
                             fromCents(RowChecks::boundOf(rule, a))});
}

} // namespace

QList<Finding> findingsOf(const CellReader& cell) {
    QList<Finding> findings;
    addSummaryFindings(cell, findings);
    for (int row = 2; row <= 31; ++row)
        addRowFindings(cell, row, findings);
    return findings;
}

QString describe(const Finding& finding) {
    return QStringLiteral("SX%1 casella %2 = %3 %4 = %5")
        .arg(finding.line)
        .arg(finding.box)
        .arg(LibrAgg770::formatAmount(finding.amount), finding.rule,
             LibrAgg770::formatAmount(finding.limit));
}

} // namespace ScheduleFindings

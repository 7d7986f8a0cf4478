#include "app/quadrosx.h"
#include "editor/amount.h"

#include <QLineEdit>

namespace {

// Only blanks are trimmed: any other character left around an amount makes it unusable.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

} // namespace

void QUADROSX::MEMORIZZAARRAY() {
    const int row = trimBlanks(SEQCORRENTE).toInt();
    for (int j = 2; j <= 7; ++j)
        TABELLASX.setCell(row, j, LibrAgg770::VALIDAIMPORTO(trimBlanks(Text1(j + 10)->text())));
    FLAGVARIAZRIGO = 0;
}

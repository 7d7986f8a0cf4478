#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "editor/amount.h"

#include <QLineEdit>

void QUADROSX::MEMORIZZAARRAY() {
    const int row = trimBlanks(SEQCORRENTE).toInt();
    for (int j = 2; j <= 7; ++j)
        TABELLASX.setCell(row, j, LibrAgg770::VALIDAIMPORTO(trimBlanks(Text1(j + 10)->text())));
    FLAGVARIAZRIGO = 0;
}

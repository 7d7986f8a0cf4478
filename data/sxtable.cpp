#include "data/sxtable.h"

#include "app/trimblanks.h"

#include <stdexcept>
#include <string>

void SxTable::clear() {
    cells_.fill(QStringLiteral("0"));
}

int SxTable::at(int row, int column) {
    if (row < 0 || row > lastRow || column < 0 || column > lastColumn)
        throw std::out_of_range("SX row table has no cell (" + std::to_string(row) + ", " +
                                std::to_string(column) + ")");
    return row * (lastColumn + 1) + column;
}

void takeStoredRow(SxTable& table, int row, const std::function<QString(int j)>& field) {
    if (row != 1) {
        for (int j = 2; j <= 7; ++j)
            table.setCell(row, j, trimBlanks(field(j)));
        return;
    }
    for (int j = 1; j <= 7; ++j)
        table.setCell(1, j, trimBlanks(field(j)));
    for (int j = 8; j <= 10; ++j)
        table.setCell(1, j,
                      field(j) == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0"));
}

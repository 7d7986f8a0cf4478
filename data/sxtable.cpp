#include "data/sxtable.h"

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

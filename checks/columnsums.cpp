#include "checks/columnsums.h"

#include "editor/amount.h"

using LibrAgg770::amountOf;

ColumnSums columnSums(const CellReader& cell) {
    ColumnSums sums{};
    for (int row = 2; row <= 31; ++row)
        for (int column = 2; column <= 7; ++column)
            sums[column - 1] += amountOf(cell(row, column));
    return sums;
}

double sumOf(const ColumnSums& sums) {
    double total = 0;
    for (int k = 1; k <= 6; ++k)
        total += sums[k];
    return total;
}

double roundedToCents(double value) {
    return LibrAgg770::shownValue(value);
}

bool sx4BoxDiffers(double columnSum, const QString& sx4Box) {
    const double total = roundedToCents(columnSum);
    return total != 0 && amountOf(sx4Box) != total;
}

QList<int> differingSx4Boxes(const ColumnSums& sums, const BoxReader& sx4Box) {
    QList<int> boxes;
    for (int k = 1; k <= 6; ++k)
        if (sx4BoxDiffers(sums[k], sx4Box(k)))
            boxes << k;
    return boxes;
}

double presenceTotal(const ColumnSums& sums, const BoxReader& summaryBox, int tickedFlags) {
    double total = sumOf(sums);
    for (int index = 1; index <= 7; ++index)
        total += amountOf(summaryBox(index));
    return total + tickedFlags;
}

#pragma once

#include <array>
#include <functional>
#include <QList>
#include <QString>

// The SX4 boxes hold the totals of columns 2-7 of the region rows (table rows 2-31). These
// sums serve the SX4 check, the totals recalculation and the presence total of the schedule.

// A cell of the SX row table by row and column.
using CellReader = std::function<QString(int row, int column)>;
// The text of a box by its index.
using BoxReader = std::function<QString(int index)>;

// Index k holds the sum of column k + 1, the total of SX4 box k (1-6); index 0 is unused.
using ColumnSums = std::array<double, 7>;

// Every cell counts through VALIDAIMPORTO: empty or damaged texts add 0. Unrounded.
ColumnSums columnSums(const CellReader& cell);

// The six sums added together, unrounded.
double sumOf(const ColumnSums& sums);

// The value as the amount format shows it, read back: the sum's floating-point noise goes.
double roundedToCents(double value);

// An SX4 box differs when its column sum, to the cent, is not 0 and is not the box's amount.
// A column summing to 0 is never compared.
bool sx4BoxDiffers(double columnSum, const QString& sx4Box);

// The SX4 boxes k (1-6) that differ; `sx4Box(k)` gives the text of SX4 box k.
QList<int> differingSx4Boxes(const ColumnSums& sums, const BoxReader& sx4Box);

// Not 0 when the schedule holds anything: the unrounded sums, the amounts of the seven summary
// boxes (`summaryBox(1)` to `summaryBox(7)`: SX1, SX4 boxes 1-6) and 1 per ticked SX35 flag.
double presenceTotal(const ColumnSums& sums, const BoxReader& summaryBox, int tickedFlags);

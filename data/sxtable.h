#pragma once

#include <array>
#include <functional>
#include <QString>

// The open declarant's Schedule SX in memory: texts indexed by row 0-31 (the numeric value of
// the row key SEQ) and column 0-10 (the number of field SX_j). Any other index is an error.
class SxTable {
  public:
    static constexpr int lastRow = 31;
    static constexpr int lastColumn = 10;

    SxTable() { clear(); }
    const QString& cell(int row, int column) const { return cells_[at(row, column)]; }
    void setCell(int row, int column, const QString& text) { cells_[at(row, column)] = text; }
    // The cleared state: "0" in every cell.
    void clear();

  private:
    static int at(int row, int column);
    std::array<QString, (lastRow + 1) * (lastColumn + 1)> cells_;
};

// A stored row of table QUADROSX taken into row `row` as the loading does: the summary row (1)
// keeps SX_1..SX_7 trimmed and its SX35 flags as "1" or "0"; a region row keeps SX_2..SX_7
// trimmed. `field(j)` is the stored text of field SX_j, empty for Null.
void takeStoredRow(SxTable& table, int row, const std::function<QString(int j)>& field);

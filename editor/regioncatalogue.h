#pragma once

#include <QString>
#include <QStringList>

// The thirty region rows SX5 to SX34, always listed all and in this order. Row SXn has the
// row key n - 3 ("002" to "031"), whose value is its row in the SX row table.
namespace RegionCatalogue {

constexpr int firstRow = 2;
constexpr int lastRow = 31;
constexpr int lineLength = 43;

// The label of table row `row` (firstRow to lastRow), as written in the list.
QString label(int row);

// A list line: the label trimmed and padded or cut to 40 characters, then the row key. The
// row editor reads the key back from positions 41-43.
QString listLine(const QString& label, const QString& rowKey);

// The thirty lines in list order.
QStringList listLines();

// Positions 41-43 trimmed, in the three-digit form of a row key.
QString rowKeyOfLine(const QString& line);

// The first four characters: "SX5 ", "SX10".
QString rowCodeOfLine(const QString& line);

} // namespace RegionCatalogue

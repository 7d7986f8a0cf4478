#pragma once

#include <QString>
#include <QStringList>

class Database;

// What the store's own catalogue says of a table, whichever store holds the year's database.
// Names are matched without regard to case.
namespace Catalog {

// The store's name of a table; empty when there is none.
QString tableName(Database& db, const QString& name);
// The table's columns in their order.
QStringList columns(Database& db, const QString& table);
// The key columns, in order, of the table's index with that name; empty when there is none.
QStringList indexColumns(Database& db, const QString& table, const QString& index);
// A table or column name as an SQL identifier, in double quotes, whatever it holds.
QString quoted(const QString& identifier);

} // namespace Catalog

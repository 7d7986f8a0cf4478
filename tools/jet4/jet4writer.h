#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Writes a small Access 2000 (Jet 4) file, enough for the tests and the demo to have an Access
// year's database: user tables of the column types below, no index, no relation. The pages
// follow the public notes on the format; mdbtools' tools read what it writes.
namespace Jet4 {

enum class Type : quint8 {
    YesNo = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Text = 0x0a,
    Ole = 0x0b, // always Null here
    Memo = 0x0c,
};

struct Column {
    QString name;
    Type type;
};

// A row's values in column order; a null QVariant is Null. YesNo takes a bool, the whole
// numbers a qint64, Currency a qint64 of ten-thousandths, Single and Double a double, DateTime
// the days since 30 December 1899, Text and Memo a QString.
struct Table {
    QString name;
    QList<Column> columns;
    QList<QVariantList> rows;
    QList<int> moved = {};   // rows an edit moved to a later page: their place keeps a pointer
    QList<int> deleted = {}; // rows deleted, moved or not: still on their page, marked, not counted
};

// Text columns of these names.
QList<Column> textColumns(const QStringList& names);
// The columns of the schedule table as the suite keeps it: the key as text, SX_1 to SX_7 of type
// `amounts`, SX_8 to SX_10 as text.
QList<Column> scheduleColumns(Type amounts);

// The file's bytes; a non-empty `password` is set as the database password.
QByteArray fileOf(const QList<Table>& tables, const QString& password = QString());

} // namespace Jet4

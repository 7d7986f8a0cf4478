#pragma once

#include "data/database.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

// How many records a copy moved.
struct CopiedRecords {
    int frontPages = 0;
    int scheduleRows = 0;
};

// Copies FRONTESPIZIO and QUADROSX of a year's database into another one (file or server, either
// way), which must hold no record of either: the fields both sides have, in one transaction,
// checked before it is committed (the counts and every stored value, Null included). Any failure
// throws DatabaseError and leaves the target as it was.
CopiedRecords copyYearDatabase(Database& from, Database& to);

// Opens a year's database named by a PostgreSQL URI or a file path; a missing file is made empty,
// with the program's tables.
std::unique_ptr<Database> openCopyEnd(const QString& name, bool source);

// The target of a copy must hold no record of FRONTESPIZIO nor QUADROSX: throws DatabaseError
// (CopyRefused) when it does.
void refuseFilledTarget(Database& to);

// Every record of `table`, each as its values of `columns` (quoted names) joined as
// `joinedRecord` joins them, Null apart from empty text; sorted, so two stores that order text
// alike or not compare the same.
QStringList storedRecords(Database& db, const QString& table, const QStringList& columns);
QString joinedRecord(const QVariantList& values);

#pragma once

#include "data/database.h"

#include <QString>

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

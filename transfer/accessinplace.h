#pragma once

#include "transfer/yearcopy.h"

#include <QString>
#include <QStringList>

// Converts an archives folder on the suite's Access files in one step: the year's database
// becomes a SQLite file of the same records, the template an empty one of the program's
// tables. Each Access original stays beside under a name that says what it is
// (S7702004-Access.MDB), never changed nor deleted. The new files are made and checked under
// other names first; then each name passes to its new file in one step, the template first.
// Killed at any moment, each name holds its original or its finished new file, and a new run
// finishes the work; once done, a new run is refused.
struct InPlaceConversion {
    CopiedRecords copied;
    QStringList kept; // the originals' new names
};
InPlaceConversion convertInPlace(const QString& yearPath, const QString& templatePath);

// The name an Access original is kept under: "-Access" before the extension.
QString keptAccessName(const QString& path);

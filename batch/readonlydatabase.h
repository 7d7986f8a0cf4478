#pragma once

#include "data/database.h"

#include <memory>
#include <QString>

// A failure of the work without a window that is neither the store's nor the printer's.
struct BatchFailure {
    QString message;
};

// The year's database the settings name (the file, or the server when SERVERARCHIVI is set),
// opened for reading alone: the file stays byte for byte as it is, and a missing one is an
// error, never made from the template. Throws BatchFailure without the archives setting,
// DatabaseError when the database cannot be read.
std::unique_ptr<Database> openYearDatabaseForReading();

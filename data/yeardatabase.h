#pragma once

#include "data/database.h"

#include <memory>
#include <QString>
#include <QStringList>

// The year's database: on the PostgreSQL server named by `serverUri` when it is set, else the
// file at `filePath`. On a server the two tables are created when missing, as the file is made
// from the template (not when reading only).
std::unique_ptr<Database> openYearDatabase(const QString& filePath, const QString& serverUri,
                                           Database::Access access = Database::Access::ReadWrite);

// The statements that make the program's tables in a store of that dialect.
QStringList schemaStatements(Dialect dialect);

// Runs the server's schema when FRONTESPIZIO or QUADROSX is missing; two workstations doing it
// at once make the tables once.
void createMissingTables(Database& db);

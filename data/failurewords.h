#pragma once

#include <QString>

// The store's common failures told in the program's language. The engine's own words follow,
// because they are what a technician searches for.
namespace FailureWords {

// The cause of a SQLite result code, or "" when it is not one a clerk meets.
QString ofSqlite(int resultCode);
// The cause of a PostgreSQL SQLSTATE, or "".
QString ofServer(const QString& sqlState);
// "cause: engine's words", or the engine's words alone without a cause.
QString described(const QString& cause, const QString& engineWords);

extern const char* const connectionLost;
extern const char* const cannotOpen;

} // namespace FailureWords

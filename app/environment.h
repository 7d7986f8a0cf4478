#pragma once

#include <QString>

// Reading the suite's settings and testing files, as the start-up needs them. Every failure
// gives an empty text or false: the caller decides what a missing value means.
enum class Hive { CurrentUser };

// The value `valueName` of the user's own settings key `keyPath`
// ("SOFTWARE\TARVESSI\ZAVIRTEN"), whole and raw as it is stored, up to its first NUL; empty when
// it is missing or not a text.
QString LEGGIREGISTRO(Hive hive, const QString& keyPath, const QString& valueName);

// Whether a file exists at `path` and can be opened for reading.
bool ESISTEFILE(const QString& path);

// The message of the start-up and of the batch work when SERVERARCHIVI is set in a build that
// reaches no server (the Windows build); lines are parted by character 13.
QString serverNotBuiltNotice();

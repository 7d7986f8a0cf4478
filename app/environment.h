#pragma once

#include <QString>

// Reading the suite's settings and testing files, as the start-up needs them. Every failure
// gives an empty text or false: the caller decides what a missing value means.
enum class Hive { CurrentUser };

class QSettings;

// The value of a text entry of an open key, up to its first NUL; empty for any other type.
QString LEGGIVALORE(const QSettings& key, const QString& valueName);

// The value `valueName` of the settings key `keyPath` ("SOFTWARE\TARVESSI\ZAVIRTEN"), when it
// is a text; empty otherwise.
QString LEGGIREGISTRO(Hive hive, const QString& keyPath, const QString& valueName);

// Whether a file exists at `path` and can be opened for reading.
bool ESISTEFILE(const QString& path);

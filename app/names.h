#pragma once

#include <QString>

// Fixed names of the suite: the year of the return is part of each.
namespace Names770 {

inline QString year() {
    return QStringLiteral("2004");
}
inline QString templateFile() {
    return QStringLiteral("\\S774XXXX.MDB");
}
inline QString yearDatabaseFile() {
    return QStringLiteral("\\S770") + year() + QStringLiteral(".MDB");
}
inline QString mainProgramFile() {
    return QStringLiteral("\\770") + year() + QStringLiteral(".EXE");
}
inline QString mainWindowTitle() {
    return QStringLiteral("770") + year();
}
inline QString designCaption() {
    return QStringLiteral("Gestione Quadro SX - Riepilogo delle compensazioni");
}
inline QString captionPrefix() {
    return QStringLiteral(" Gestione Modello 770/2004 (Semplificato) - ");
}
inline QString registryKey() {
    return QStringLiteral("SOFTWARE\\TARVESSI\\ZAVIRTEN");
}

} // namespace Names770

namespace Names770 {
// The suite builds its paths with a backslash before each file name; elsewhere than on
// Windows the file is found with the platform's own separator.
inline QString localPath(QString path) {
#ifdef Q_OS_WIN
    return path;
#else
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}
} // namespace Names770

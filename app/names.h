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
// Windows that one becomes the platform's own separator, while a backslash of the folder's
// name is a character of the name.
inline QString localPath(QString path) {
#ifdef Q_OS_WIN
    return path;
#else
    const qsizetype separator = path.lastIndexOf(QLatin1Char('\\'));
    if (separator >= 0)
        path[separator] = QLatin1Char('/');
    return path;
#endif
}
} // namespace Names770

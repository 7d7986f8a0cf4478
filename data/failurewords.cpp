#include "data/failurewords.h"

namespace FailureWords {

const char* const connectionLost = "Connessione con il server interrotta";
const char* const cannotOpen = "Impossibile aprire il database";

namespace {
const char* const locked = "Database bloccato da un altro programma";
const char* const notADatabase = "Il file non è un database";
const char* const damaged = "Database danneggiato";
const char* const readOnly = "Database in sola lettura, impossibile scrivere";
const char* const diskFull = "Disco pieno, impossibile scrivere";
} // namespace

QString ofSqlite(int resultCode) {
    // An extended code carries its primary code in the low byte.
    switch (resultCode & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QString::fromUtf8(locked);
    case 8: // SQLITE_READONLY
        return QString::fromUtf8(readOnly);
    case 11: // SQLITE_CORRUPT
        return QString::fromUtf8(damaged);
    case 13: // SQLITE_FULL
        return QString::fromUtf8(diskFull);
    case 14: // SQLITE_CANTOPEN
        return QString::fromUtf8(cannotOpen);
    case 26: // SQLITE_NOTADB
        return QString::fromUtf8(notADatabase);
    default:
        return QString();
    }
}

QString ofServer(const QString& sqlState) {
    const struct {
        const char* state; // a whole SQLSTATE, or its two-character class
        const char* cause;
    } causes[] = {
        {"55P03", locked},         {"40P01", locked},         {"25006", readOnly},
        {"53100", diskFull},       {"XX001", damaged},        {"XX002", damaged},
        {"3D000", cannotOpen},     {"28", cannotOpen},        {"08", connectionLost},
        {"57P01", connectionLost}, {"57P02", connectionLost}, {"57P03", connectionLost},
    };
    for (const auto& entry : causes)
        if (sqlState.startsWith(QLatin1String(entry.state)))
            return QString::fromUtf8(entry.cause);
    return QString();
}

QString described(const QString& cause, const QString& engineWords) {
    if (cause.isEmpty())
        return engineWords;
    return engineWords.trimmed().isEmpty() ? cause : cause + QStringLiteral(": ") + engineWords;
}

} // namespace FailureWords

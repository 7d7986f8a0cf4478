#include "app/environment.h"

#include "app/names.h"

#ifdef Q_OS_WIN
#include "app/windows/windowsapi.h"
#endif

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace {

#ifndef Q_OS_WIN
// The text after "=" on the line of `name` in group General of the settings file, as it is
// written there: no escapes, lists or "@" types are read into it. Group General also holds the
// keys before any group header.
QString rawFileValue(const QString& path, const QString& name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    bool general = true;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            general = trimmed == QLatin1String("[General]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!general || equals < 0 || line.left(equals).trimmed() != name)
            continue;
        const QString value = line.mid(equals + 1);
        // A pair of double quotes around the whole value is the file's, not the folder's.
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            return value.mid(1, value.size() - 2);
        return value;
    }
    return QString();
}
#endif

} // namespace

QString LEGGIREGISTRO(Hive, const QString& keyPath, const QString& valueName) {
    QString value;
#ifdef Q_OS_WIN
    value = QString::fromStdWString(
        WindowsApi::userTextValue(keyPath.toStdWString(), valueName.toStdWString()));
#else
    // The key's last two parts name the organisation and the application of the user's own
    // settings file; values of the whole organisation or of the machine are never read.
    const QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return QString();
    const QSettings key(QSettings::NativeFormat, QSettings::UserScope, parts.at(parts.size() - 2),
                        parts.last());
    value = rawFileValue(key.fileName(), valueName);
#endif
    const qsizetype nul = value.indexOf(QChar(0));
    return nul < 0 ? value : value.left(nul);
}

QString serverNotBuiltNotice() {
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\") + Names770::registryKey();
    return QStringLiteral("Impostazione SERVERARCHIVI non gestita") + QChar(13) + QChar(13) +
           QStringLiteral("Questa versione del programma lavora soltanto sul file S770") +
           Names770::year() + QStringLiteral(".MDB della cartella degli archivi, ") +
           QStringLiteral("non su un server.") + QChar(13) +
           QStringLiteral("Togliere il valore SERVERARCHIVI dalla chiave ") + key +
           QStringLiteral(" oppure usare il programma su Linux.");
}

bool ESISTEFILE(const QString& path) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}

#include "app/environment.h"

#include <optional>
#include <QFile>
#include <QSettings>
#include <QStringList>

namespace {

#ifndef Q_OS_WIN
// The text after "=" on the line of `name` in group General of the settings file, when it is
// written there without quotes; group General also holds the keys before any group header.
std::optional<QString> unquotedFileValue(const QString& path, const QString& name) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    bool general = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            general = line == QLatin1String("[General]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!general || equals < 0 || line.left(equals).trimmed() != name)
            continue;
        const QString value = line.mid(equals + 1).trimmed();
        if (value.startsWith(QLatin1Char('"')))
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}
#endif

} // namespace

QString LEGGIVALORE(const QSettings& key, const QString& valueName) {
#ifndef Q_OS_WIN
    // A folder name written plainly is read whole: the settings file would make a list of it
    // at a comma and end it at a semicolon.
    const std::optional<QString> plain = unquotedFileValue(key.fileName(), valueName);
    if (plain && (plain->contains(QLatin1Char(',')) || plain->contains(QLatin1Char(';'))))
        return *plain;
#endif
    const QVariant value = key.value(valueName);
    if (value.typeId() != QMetaType::QString)
        return QString();
    const QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString LEGGIREGISTRO(Hive, const QString& keyPath, const QString& valueName) {
    // The key's last two parts name the organisation and the application, as QSettings
    // maps them to HKEY_CURRENT_USER\Software\<organisation>\<application> on Windows.
    const QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return QString();
    QSettings key(QSettings::NativeFormat, QSettings::UserScope, parts.at(parts.size() - 2),
                  parts.last());
    // The user's own values only: no organisation-wide nor machine-wide ones.
    key.setFallbacksEnabled(false);
    if (key.status() != QSettings::NoError)
        return QString();
    return LEGGIVALORE(key, valueName);
}

bool ESISTEFILE(const QString& path) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}

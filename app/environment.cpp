#include "app/environment.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

QString LEGGIVALORE(const QSettings& key, const QString& valueName) {
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
    const QSettings key(QSettings::NativeFormat, QSettings::UserScope, parts.at(parts.size() - 2),
                        parts.last());
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

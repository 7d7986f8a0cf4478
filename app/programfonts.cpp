#include "app/programfonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

void addFontsBesideProgram(const QString& programFolder) {
    const QDir fonts(QDir(programFolder).filePath(QStringLiteral("fonts")));
    const QFileInfoList files = fonts.entryInfoList(
        {QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name);
    for (const QFileInfo& file : files)
        if (QFontDatabase::addApplicationFont(file.filePath()) < 0)
            qWarning("quadrosx: the font %s cannot be loaded", qUtf8Printable(file.filePath()));
}

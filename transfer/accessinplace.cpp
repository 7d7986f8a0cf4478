#include "transfer/accessinplace.h"

#include "data/accessfile.h"
#include "transfer/accessimport.h"

#include <filesystem>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

namespace fs = std::filesystem;

fs::path fsPath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

[[noreturn]] void refuse(const QString& why) {
    throw DatabaseError{DatabaseErrors::CopyRefused, why};
}

// The new file is made under this name, which the program never reads.
QString newName(const QString& path) {
    return path + QStringLiteral(".nuovo");
}

void removeLeftovers(const QString& path) {
    for (const QString& name : {path, path + QStringLiteral("-journal")})
        if (QFileInfo::exists(name) && !QFile::remove(name))
            refuse(QStringLiteral("Impossibile togliere %1, resto di una conversione interrotta")
                       .arg(name));
}

// The original under its kept name, as a second name of the same file, not a copy.
void keep(const QString& path) {
    const fs::path original = fsPath(path);
    const fs::path kept = fsPath(keptAccessName(path));
    std::error_code error;
    if (fs::exists(kept, error) && fs::equivalent(kept, original, error))
        return; // a run killed after this step
    if (fs::exists(kept, error))
        refuse(QStringLiteral("%1 esiste già: la conversione non lo sovrascrive")
                   .arg(keptAccessName(path)));
    fs::create_hard_link(original, kept, error);
    if (error)
        refuse(QStringLiteral("Impossibile conservare %1 come %2: %3")
                   .arg(path, keptAccessName(path), QString::fromStdString(error.message())));
}

void putInPlace(const QString& made, const QString& path) {
    std::error_code error;
    fs::rename(fsPath(made), fsPath(path), error);
    if (error)
        refuse(QStringLiteral("Impossibile mettere %1 al posto di %2: %3")
                   .arg(made, path, QString::fromStdString(error.message())));
}

void refuseTakenKeptName(const QString& path) {
    std::error_code error;
    const fs::path kept = fsPath(keptAccessName(path));
    if (fs::exists(kept, error) && !fs::equivalent(kept, fsPath(path), error))
        refuse(QStringLiteral("%1 esiste già: la conversione non lo sovrascrive")
                   .arg(keptAccessName(path)));
}

} // namespace

QString keptAccessName(const QString& path) {
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-Access.") +
                               info.suffix());
}

InPlaceConversion convertInPlace(const QString& yearPath, const QString& templatePath) {
    const bool year = AccessFile::formatOf(yearPath) != AccessFile::Format::None;
    const bool empty = AccessFile::formatOf(templatePath) != AccessFile::Format::None;
    if (!year && !empty)
        refuse(QStringLiteral("In %1 non ci sono archivi Access da convertire: %2 e %3 sono "
                              "già del programma (o mancano)")
                   .arg(QFileInfo(yearPath).path(), QFileInfo(yearPath).fileName(),
                        QFileInfo(templatePath).fileName()));
    InPlaceConversion done;
    for (const auto& [access, path] : {std::pair{year, yearPath}, std::pair{empty, templatePath}})
        if (access) {
            refuseTakenKeptName(path);
            removeLeftovers(newName(path));
        }
    try {
        if (year) {
            AccessImport source(yearPath);
            done.copied = source.into(*openCopyEnd(newName(yearPath), false));
        }
        if (empty)
            openCopyEnd(newName(templatePath), false);
    } catch (...) {
        // Nothing half-made stays behind.
        QFile::remove(newName(yearPath));
        QFile::remove(newName(templatePath));
        throw;
    }
    for (const auto& [access, path] : {std::pair{empty, templatePath}, std::pair{year, yearPath}})
        if (access) {
            keep(path);
            putInPlace(newName(path), path);
            done.kept << keptAccessName(path);
        }
    return done;
}

// Moves a year's database between a file and a PostgreSQL server, either way, and brings in
// the suite's Access files:
//
//   sxcopy <from> <to>
//   sxcopy --in-place <archives folder>
//
// Each side is a file path (S7702004.MDB) or a connection URI (postgresql://user@host/db); the
// password comes from libpq's password file or PGPASSWORD. FRONTESPIZIO and QUADROSX are copied
// in one transaction and checked value by value before it is committed; a target that already
// holds records of either is refused. A missing target file is made with the program's tables,
// missing tables on a server likewise. A source that is an Access file (told by its header) is
// read through mdbtools' library, never written. --in-place converts the Access files of an
// archives folder where they are, keeping the originals beside (S7702004-Access.MDB).
// Exit status 0 when done; 1 when a copy between the program's stores fails, 2 when bringing in
// an Access file fails (told on standard error with the cause) or for a wrong command line.

#include "app/names.h"
#include "data/accessfile.h"
#include "transfer/accessimport.h"
#include "transfer/accessinplace.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void report(const CopiedRecords& copied) {
    std::printf("Copiati %d record di FRONTESPIZIO e %d di QUADROSX, verificati.\n",
                copied.frontPages, copied.scheduleRows);
}

// A target file made here goes again when the work fails: no half-made file is left.
CopiedRecords importAccess(const QString& from, const QString& to) {
    AccessImport source(from);
    const bool made = !to.startsWith(QLatin1String("postgres")) && !QFileInfo::exists(to);
    try {
        return source.into(*openCopyEnd(to, false));
    } catch (...) {
        if (made)
            QFile::remove(to);
        throw;
    }
}

void convertFolder(const QString& folder) {
    const QString archives = QDir::cleanPath(folder);
    const InPlaceConversion done =
        convertInPlace(Names770::localPath(archives + Names770::yearDatabaseFile()),
                       Names770::localPath(archives + Names770::templateFile()));
    report(done.copied);
    for (const QString& kept : done.kept)
        std::printf("L'originale Access è conservato come %s\n", qPrintable(kept));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("uso: sxcopy <origine> <destinazione>  (file .MDB o postgresql://...)\n"
                   "     sxcopy --in-place <cartella archivi>  (converte gli archivi Access)\n",
                   stderr);
        return 2;
    }
    const bool inPlace = arguments.at(1) == QLatin1String("--in-place");
    const bool access =
        inPlace || AccessFile::formatOf(arguments.at(1)) != AccessFile::Format::None;
    try {
        if (inPlace) {
            convertFolder(arguments.at(2));
        } else if (access) {
            report(importAccess(arguments.at(1), arguments.at(2)));
        } else {
            auto from = openCopyEnd(arguments.at(1), true);
            auto to = openCopyEnd(arguments.at(2), false);
            report(copyYearDatabase(*from, *to));
        }
        return 0;
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "sxcopy: errore n. %d: %s\n", error.number,
                     qPrintable(error.description));
        return access ? 2 : 1;
    }
}

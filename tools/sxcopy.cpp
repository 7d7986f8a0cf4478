// Moves a year's database between a file and a PostgreSQL server, either way:
//
//   sxcopy <from> <to>
//
// Each side is a file path (S7702004.MDB) or a connection URI (postgresql://user@host/db); the
// password comes from libpq's password file or PGPASSWORD. FRONTESPIZIO and QUADROSX are copied
// in one transaction and checked value by value before it is committed; a target that already
// holds records of either is refused. A missing target file is made with the program's tables,
// missing tables on a server likewise. Exit status 0 when copied, 1 on any failure (told on
// standard error with the store's own words), 2 for a wrong command line.

#include "data/yearcopy.h"

#include <cstdio>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("uso: sxcopy <origine> <destinazione>  (file .MDB o postgresql://...)\n",
                   stderr);
        return 2;
    }
    try {
        auto from = openCopyEnd(arguments.at(1), true);
        auto to = openCopyEnd(arguments.at(2), false);
        const CopiedRecords copied = copyYearDatabase(*from, *to);
        std::printf("Copiati %d record di FRONTESPIZIO e %d di QUADROSX, verificati.\n",
                    copied.frontPages, copied.scheduleRows);
        return 0;
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "sxcopy: errore n. %d: %s\n", error.number,
                     qPrintable(error.description));
        return 1;
    }
}

// The declarant list of 10,000 declarants against the bare work of the same read and the
// same lines added to a list widget; and the whole start-up until the list is shown.
// Usage: bench_listing [declarants]   (targets: listing within 1.3x, start-up under 300 ms)

#include "benchsupport.h"
#include "selection/declarantline.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QTextStream>

namespace {

// What any listing must do: read the six fields of every declarant in order and add a line
// per declarant to a list widget.
void bareListing(const Bench::Connection& connection, QListWidget& list) {
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT CODAZI, CFD, FR_1, FR_2, FR_3, fr_14 FROM frontespizio order by codazi"));
    QStringList lines;
    while (query.next())
        lines << declarantLine(query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toString(),
                               query.value(4).toString(), query.value(5).toString());
    list.clear();
    list.addItems(lines);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    Bench::useSourceTree();
    const int declarants = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTextStream out(stdout);

    WindowHarness h;
    Bench::addDeclarants(h.archive.yearPath(), declarants);

    const double startup = Bench::medianMs(9, [&h] {
        h.createWindow();
        h.start();
        QApplication::processEvents();
    });
    const double listing = Bench::medianMs(15, [&h] { h.window->LISTADICHIARAZIONI(); });
    QListWidget bareList;
    bareList.setFont(h.window->List1->font());
    bareList.resize(h.window->List1->size());
    bareList.show();
    const Bench::Connection connection(h.archive.yearPath());
    const double bare = Bench::medianMs(15, [&] { bareListing(connection, bareList); });

    out << "declarants listed:        " << h.window->List1->count() << "\n";
    out << "start-up to list shown:   " << QString::number(startup, 'f', 1) << " ms (target < 300 ms)\n";
    out << "listing (window):         " << QString::number(listing, 'f', 1) << " ms\n";
    out << "bare read + list widget:  " << QString::number(bare, 'f', 1) << " ms\n";
    out << "ratio:                    " << QString::number(listing / bare, 'f', 2) << " (target <= 1.30)\n";
    return 0;
}

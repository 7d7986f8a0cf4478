#include "benchsupport.h"
#include "figures.h"
#include "selection/declarantline.h"

#include <QApplication>
#include <QListWidget>

namespace {

// What any listing must do: read the six fields of every declarant in order and add a line
// per declarant to a list widget.
void bareListing(const Bench::Connection& connection, QListWidget& list) {
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    query.exec(QStringLiteral(
        "SELECT CODAZI, CFD, FR_1, FR_2, FR_3, fr_14 FROM frontespizio order by codazi"));
    QStringList lines;
    while (query.next())
        lines << declarantLine(query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toString(),
                               query.value(4).toString(), query.value(5).toString());
    list.clear();
    list.addItems(lines);
}

} // namespace

QList<Figure> Measure::startupAndListing(int declarants) {
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

    const QString count = QString::number(declarants);
    Figure start{QStringLiteral("start-up to the list shown (%1 declarants)").arg(count)};
    start.value = startup;
    start.target = 300;
    Figure list{QStringLiteral("listing %1 declarants").arg(count)};
    list.value = listing;
    list.bareWhat = QStringLiteral("raw read + same lines into a list widget");
    list.bare = bare;
    list.ratioTarget = 1.3;
    return {start, list};
}

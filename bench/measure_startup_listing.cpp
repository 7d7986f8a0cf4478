#include "benchsupport.h"
#include "figures.h"
#include "selection/declarantline.h"

#include <QApplication>
#include <QListWidget>
#include <QRadioButton>

namespace {

struct Order {
    int option;
    const char* what;
    const char* orderBy;
};

constexpr Order orders[] = {
    {1, "re-sort by tax code", "cfd"},
    {2, "re-sort by name", "fr_1,fr_2,fr_3"},
    {0, "re-sort by company code", "codazi"},
};

// What any listing must do, with the rows read through Qt's driver: read the six fields of every
// declarant in the order asked and show a line per declarant in a list of lines of one height.
void bareListing(const Bench::Connection& connection, QListWidget& list, const char* orderBy) {
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT CODAZI, CFD, FR_1, FR_2, FR_3, fr_14 FROM frontespizio "
                              "order by ") +
               QLatin1String(orderBy));
    QStringList lines;
    while (query.next())
        lines << declarantLine(query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toString(),
                               query.value(4).toString(), query.value(5).toString());
    list.clear();
    list.addItems(lines);
    QApplication::processEvents();
}

Figure figure(const QString& what, const Bench::Timing& timing, double target) {
    Figure f{what};
    f.value = timing.wall;
    f.processor = timing.processor;
    f.target = target;
    return f;
}

} // namespace

QList<Figure> Measure::startupAndListing(int declarants) {
    WindowHarness h;
    Bench::addDeclarants(h.archive.yearPath(), declarants);
    const QString count = QString::number(declarants);
    // From nothing to the window showing its list: the window made, started, laid out, painted.
    const Bench::Timing startup = Bench::medianTiming(9, [&h] {
        h.createWindow();
        h.start();
        QApplication::processEvents();
    });
    QList<Figure> figures{figure(
        QStringLiteral("start-up to the list shown (%1 declarants)").arg(count), startup, 300)};

    QListWidget bareList;
    bareList.setFont(h.window->List1->font());
    bareList.resize(h.window->List1->size());
    bareList.setUniformItemSizes(true);
    bareList.show();
    const Bench::Connection connection(h.archive.yearPath());
    const QString bareWhat = QStringLiteral("read through Qt's driver + same lines into a list");

    const Bench::Timing listed = Bench::medianTiming(15, [&h] {
        h.window->LISTADICHIARAZIONI();
        QApplication::processEvents();
    });
    Figure listing = figure(QStringLiteral("listing %1 declarants").arg(count), listed, 0);
    listing.bareWhat = bareWhat;
    const Bench::Timing bareListed =
        Bench::medianTiming(15, [&] { bareListing(connection, bareList, orders[2].orderBy); });
    listing.bare = bareListed.wall;
    listing.bareProcessor = bareListed.processor;
    listing.ratioTarget = 1.0;
    figures << listing;

    // A click on a sort option, until the list shows its new order.
    for (const Order& order : orders) {
        QRadioButton* option = h.window->Option2(order.option);
        QRadioButton* other = h.window->Option2(order.option == 0 ? 2 : 0);
        const Bench::Timing refill = Bench::medianTiming(
            9,
            [option] {
                option->setChecked(true);
                QApplication::processEvents();
            },
            [other] {
                other->setChecked(true);
                QApplication::processEvents();
            });
        Figure resort =
            figure(QStringLiteral("%1 (%2 declarants)").arg(QLatin1String(order.what), count),
                   refill, 150);
        resort.bareWhat = bareWhat;
        const Bench::Timing bare =
            Bench::medianTiming(9, [&] { bareListing(connection, bareList, order.orderBy); });
        resort.bare = bare.wall;
        resort.bareProcessor = bare.processor;
        resort.ratioTarget = 1.0;
        figures << resort;
    }
    return figures;
}

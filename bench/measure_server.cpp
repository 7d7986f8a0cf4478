#include "benchsupport.h"
#include "data/serverconnection.h"
#include "figures.h"

#include <QPushButton>
#include <QSqlError>
#include <stdexcept>

// Opening and storing with the year's database on a PostgreSQL server, against the same
// statements sent through QtSql directly. QUADROSX_BENCH_SERVER names the server (a URI of a
// database where the role may create others); without it there is nothing to measure.

namespace {

const QString company = QStringLiteral("001");
const QString tax = QStringLiteral("CF00000000000001");

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    const bool ok = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!ok || (!values.isEmpty() && !query.exec()))
        throw std::runtime_error(query.lastError().text().toStdString());
    return query;
}

QString seq(int i) {
    return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}

// The 31 rows by key, as one snapshot.
void bareReread(const QSqlDatabase& db) {
    run(db, QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"));
    QSqlQuery seek(db);
    seek.prepare(
        QStringLiteral("SELECT * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND SEQ = ? LIMIT 1"));
    for (int i = 1; i <= 31; ++i) {
        seek.bindValue(0, company);
        seek.bindValue(1, tax);
        seek.bindValue(2, seq(i));
        seek.exec();
        if (seek.next())
            for (int j = 3; j <= 12; ++j)
                seek.value(j).toString();
    }
    run(db, QStringLiteral("COMMIT"));
}

void bareOpening(const QSqlDatabase& db) {
    run(db, QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD = ? order by seq"),
        {company, tax});
    bareReread(db);
}

// Per row a search by key and an update by key, then the front-page indicator, in one
// transaction under the program's write lock; then the reload's reads.
void bareStoring(const QSqlDatabase& db) {
    run(db, QStringLiteral("BEGIN"));
    run(db, QStringLiteral("SELECT pg_advisory_xact_lock(7702004)"));
    QSqlQuery seek(db);
    seek.prepare(
        QStringLiteral("SELECT * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND SEQ = ? LIMIT 1"));
    QSqlQuery summary(db);
    summary.prepare(QStringLiteral("UPDATE QUADROSX SET SX_1 = ?, SX_2 = ?, SX_3 = ?, SX_4 = ?, "
                                   "SX_5 = ?, SX_6 = ?, SX_7 = ?, SX_8 = ?, SX_9 = ?, SX_10 = ? "
                                   "WHERE CODAZI = ? AND CFD = ? AND SEQ = ?"));
    QSqlQuery region(db);
    region.prepare(QStringLiteral("UPDATE QUADROSX SET SX_2 = ?, SX_3 = ?, SX_4 = ?, SX_5 = ?, "
                                  "SX_6 = ?, SX_7 = ? WHERE CODAZI = ? AND CFD = ? AND SEQ = ?"));
    for (int i = 1; i <= 31; ++i) {
        seek.bindValue(0, company);
        seek.bindValue(1, tax);
        seek.bindValue(2, seq(i));
        seek.exec();
        seek.next();
        QSqlQuery& update = i == 1 ? summary : region;
        for (int j = i == 1 ? 1 : 2; j <= (i == 1 ? 10 : 7); ++j)
            update.addBindValue(j <= 7 ? QStringLiteral("0,00") : QStringLiteral("0"));
        update.addBindValue(company);
        update.addBindValue(tax);
        update.addBindValue(seq(i));
        if (!update.exec())
            throw std::runtime_error(update.lastError().text().toStdString());
    }
    run(db, QStringLiteral("SELECT * FROM FRONTESPIZIO WHERE CODAZI = ? AND CFD = ? LIMIT 1"),
        {company, tax});
    run(db, QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = ? WHERE CODAZI = ? AND CFD = ?"),
        {QStringLiteral("0"), company, tax});
    run(db, QStringLiteral("COMMIT"));
    bareReread(db);
}

} // namespace

QList<Figure> Measure::onServer() {
    const QString server = qEnvironmentVariable("QUADROSX_BENCH_SERVER");
    if (server.isEmpty())
        return {};
    qputenv("QUADROSX_TEST_SERVER", server.toUtf8());
    WindowHarness h;
    qunsetenv("QUADROSX_TEST_SERVER");
    h.archive.addDeclarant(company, tax, "ROSSI", "MARIO", QVariant(), "M");
    h.start();
    const int row = Bench::declarantRow(h, company);
    h.window->List1->setCurrentRow(row);
    h.window->List1_DblClick(); // the first opening makes the rows

    const QString name = QUuid::createUuid().toString();
    QList<Figure> figures;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        parseServerUri(h.archive.server()).applyTo(db);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());

        Figure opening{QStringLiteral("server: opening a declarant with its rows")};
        opening.value = Bench::medianMs(51, [&] {
            h.window->List1->setCurrentRow(row);
            h.window->List1_DblClick();
        });
        opening.bareWhat = QStringLiteral("same query + 31 reads by key in a snapshot");
        opening.bare = Bench::medianMs(51, [&] { bareOpening(db); });
        opening.target = 10;
        opening.ratioTarget = 1.5;

        Figure storing{QStringLiteral("server: storing (checks, 31 rows, FR_46, reload)")};
        storing.value = Bench::medianMs(51, [&] {
            h.mod.FLAGVARIAZIONI = 1;
            h.window->cmdmemorizza->click();
        });
        storing.bareWhat = QStringLiteral("same searches and writes in a transaction + 31 reads");
        storing.bare = Bench::medianMs(51, [&] { bareStoring(db); });
        storing.target = 10;
        storing.ratioTarget = 1.5;
        if (!h.boxes.boxes.isEmpty() || !h.platform.endings.isEmpty())
            throw std::runtime_error("the program asked a question or failed on the server");
        figures = {opening, storing};
    }
    QSqlDatabase::removeDatabase(name);
    return figures;
}

#include "benchsupport.h"
#include "figures.h"

namespace {

const QString company = QStringLiteral("000");
const QString tax = QStringLiteral("CF00000000000000");

// The reads of an opening: the declarant's rows in order, then each of the 31 rows by key.
void bareReads(const Bench::Connection& connection) {
    QSqlQuery all(connection.db());
    all.setForwardOnly(true);
    all.prepare(QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD = ? order by seq"));
    all.addBindValue(company);
    all.addBindValue(tax);
    all.exec();
    all.next();
    all.finish();
    QSqlQuery seek(connection.db());
    seek.prepare(
        QStringLiteral("SELECT rowid, * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND SEQ = ?"));
    for (int i = 1; i <= 31; ++i) {
        seek.bindValue(0, company);
        seek.bindValue(1, tax);
        seek.bindValue(2, QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        seek.exec();
        if (seek.next())
            for (int j = 1; j <= 10; ++j)
                seek.value(3 + j).toString();
        seek.finish();
    }
}

// The writes of a first opening: 31 rows of zeros in one transaction.
void bareWrites(const Bench::Connection& connection) {
    QSqlDatabase db = connection.db();
    QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE"));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, "
                                  "SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) VALUES "
                                  "(?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 1; i <= 31; ++i) {
        insert.addBindValue(company);
        insert.addBindValue(tax);
        insert.addBindValue(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        for (int j = 1; j <= 10; ++j)
            insert.addBindValue(QStringLiteral("0"));
        insert.exec();
    }
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
}

double medianWithReset(int runs, const std::function<void()>& reset,
                       const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        reset();
        times.push_back(Bench::medianMs(1, work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

QList<Figure> Measure::opening() {
    WindowHarness h;
    Bench::addDeclarants(h.archive.yearPath(), 100);
    h.start();
    const int row = Bench::declarantRow(h, company);
    const Bench::Connection connection(h.archive.yearPath());
    auto dropRows = [&] {
        QSqlQuery(connection.db()).exec(QStringLiteral("DELETE FROM QUADROSX"));
    };
    auto open = [&] { h.window->List1_DblClick(); };

    Figure first{QStringLiteral("first opening (31 rows created)")};
    first.value = medianWithReset(
        25,
        [&] {
            dropRows();
            h.window->List1->setCurrentRow(row);
        },
        open);
    first.bareWhat = QStringLiteral("same 31 inserts in a transaction + reads");
    first.bare = medianWithReset(25, dropRows, [&] {
        bareWrites(connection);
        bareReads(connection);
    });
    first.target = 20;
    first.ratioTarget = 1.5;

    h.window->List1->setCurrentRow(row);
    h.window->List1_DblClick();
    Figure again{QStringLiteral("opening a declarant with its rows")};
    again.value = medianWithReset(
        51, [&] { h.window->List1->setCurrentRow(row); }, open);
    again.bareWhat = QStringLiteral("same query + 31 reads by key");
    again.bare = Bench::medianMs(51, [&] { bareReads(connection); });
    again.target = 5;
    again.ratioTarget = 1.5;
    return {again, first};
}

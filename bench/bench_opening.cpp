// Opening a declarant that has its 31 rows, and a first opening that creates them, each
// against the bare SQLite work of the same reads or writes.
// Usage: bench_opening   (targets: opening < 5 ms, first opening < 20 ms, each within 1.5x)

#include "benchsupport.h"

#include <QApplication>
#include <QFont>
#include <QTextStream>

namespace {

const QString company = QStringLiteral("001");
const QString tax = QStringLiteral("CF00000000000001");

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
    seek.prepare(QStringLiteral("SELECT rowid, * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND SEQ = ?"));
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
    QSqlQuery begin(db);
    begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, "
                                  "SX_6, SX_7, SX_8, SX_9, SX_10) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 1; i <= 31; ++i) {
        insert.addBindValue(company);
        insert.addBindValue(tax);
        insert.addBindValue(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        for (int j = 1; j <= 10; ++j)
            insert.addBindValue(QStringLiteral("0"));
        insert.exec();
    }
    QSqlQuery commit(db);
    commit.exec(QStringLiteral("COMMIT"));
}

double medianWithReset(int runs, const std::function<void()>& reset, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        reset();
        times.push_back(Bench::medianMs(1, work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    Bench::useSourceTree();
    QTextStream out(stdout);

    WindowHarness h;
    Bench::addDeclarants(h.archive.yearPath(), 100);
    h.start();
    const int row = h.declarantRow(company);
    const Bench::Connection connection(h.archive.yearPath());
    auto dropRows = [&] {
        QSqlQuery(connection.db()).exec(QStringLiteral("DELETE FROM QUADROSX"));
        h.window->List1->setCurrentRow(row);
    };
    auto open = [&] { h.window->List1_DblClick(); };

    const double first = medianWithReset(25, dropRows, open);
    const double bareFirst = medianWithReset(25, [&] { QSqlQuery(connection.db()).exec(QStringLiteral("DELETE FROM QUADROSX")); },
                                             [&] { bareWrites(connection); bareReads(connection); });
    h.window->List1->setCurrentRow(row);
    h.window->List1_DblClick();
    const double opening = medianWithReset(51, [&] { h.window->List1->setCurrentRow(row); }, open);
    const double bareOpening = Bench::medianMs(51, [&] { bareReads(connection); });

    auto line = [&out](const char* what, double ms, double bare, double target) {
        out << what << QString::number(ms, 'f', 2) << " ms, bare " << QString::number(bare, 'f', 2)
            << " ms, ratio " << QString::number(ms / bare, 'f', 2) << " (targets < " << target
            << " ms, <= 1.50)\n";
    };
    line("opening:       ", opening, bareOpening, 5);
    line("first opening: ", first, bareFirst, 20);
    return 0;
}

#include "benchsupport.h"
#include "editor/amount.h"
#include "figures.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <stdexcept>

namespace {

const QString company = QStringLiteral("000");
const QString taxCode = QStringLiteral("CF00000000000000");

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
    return query;
}

// A full schedule: every region box filled, the SX4 boxes holding their column sums.
void fillSchedule(QUADROSX& window) {
    double sums[7] = {};
    for (int row = 2; row <= 31; ++row)
        for (int column = 2; column <= 7; ++column) {
            const double amount = row * 100 + column + 0.25;
            window.TABELLASX.setCell(row, column, LibrAgg770::formatAmount(amount));
            sums[column - 1] += amount;
        }
    for (int k = 1; k <= 6; ++k)
        window.Text1(k + 1)->setText(LibrAgg770::formatAmount(sums[k]));
    window.Text1(1)->setText(LibrAgg770::formatAmount(sums[3] / 2));
    window.Check1(8)->setChecked(true);
}

// The same work without the program: per row a search by key and an update, then the
// front-page indicator, in one transaction.
void bareStoring(const QSqlDatabase& db, const QList<QStringList>& rows) {
    run(db, QStringLiteral("BEGIN IMMEDIATE"));
    QSqlQuery seek(db);
    seek.prepare(QStringLiteral("SELECT rowid, * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND "
                                "SEQ = ? LIMIT 1"));
    QSqlQuery summary(db);
    summary.prepare(QStringLiteral("UPDATE QUADROSX SET SX_1 = ?, SX_2 = ?, SX_3 = ?, SX_4 = ?, "
                                   "SX_5 = ?, SX_6 = ?, SX_7 = ?, SX_8 = ?, SX_9 = ?, SX_10 = ? "
                                   "WHERE rowid = ?"));
    QSqlQuery region(db);
    region.prepare(QStringLiteral("UPDATE QUADROSX SET SX_2 = ?, SX_3 = ?, SX_4 = ?, SX_5 = ?, "
                                  "SX_6 = ?, SX_7 = ? WHERE rowid = ?"));
    for (int i = 1; i <= 31; ++i) {
        const QStringList& row = rows.at(i - 1);
        seek.addBindValue(company);
        seek.addBindValue(taxCode);
        seek.addBindValue(row.at(0));
        seek.exec();
        seek.next();
        const qint64 rowid = seek.value(0).toLongLong();
        seek.finish();
        QSqlQuery& update = i == 1 ? summary : region;
        for (int j = i == 1 ? 1 : 2; j <= (i == 1 ? 10 : 7); ++j)
            update.addBindValue(row.at(j));
        update.addBindValue(rowid);
        if (!update.exec())
            throw std::runtime_error(update.lastError().text().toStdString());
    }
    QSqlQuery front(db);
    front.prepare(QStringLiteral("SELECT rowid FROM FRONTESPIZIO WHERE CODAZI = ? AND CFD = ?"));
    front.addBindValue(company);
    front.addBindValue(taxCode);
    front.exec();
    front.next();
    const qint64 rowid = front.value(0).toLongLong();
    front.finish();
    run(db, QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = ? WHERE rowid = ?"),
        {QStringLiteral("1"), rowid});
    run(db, QStringLiteral("COMMIT"));
}

// The reload's reads without the program: the 31 rows by key in one read transaction.
void bareReread(const QSqlDatabase& db) {
    run(db, QStringLiteral("BEGIN"));
    QSqlQuery seek(db);
    seek.prepare(QStringLiteral("SELECT rowid, * FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND "
                                "SEQ = ? LIMIT 1"));
    QStringList cells;
    for (int i = 1; i <= 31; ++i) {
        seek.addBindValue(company);
        seek.addBindValue(taxCode);
        seek.addBindValue(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        seek.exec();
        seek.next();
        for (int j = 4; j <= 13; ++j)
            cells << seek.value(j).toString();
        seek.finish();
    }
    run(db, QStringLiteral("COMMIT"));
}

} // namespace

QList<Figure> Measure::storing() {
    WindowHarness h;
    Bench::addDeclarants(h.archive.yearPath(), 1);
    h.start();
    h.window->List1->setCurrentRow(Bench::declarantRow(h, company));
    h.window->List1_DblClick();
    fillSchedule(*h.window);
    const double through = Bench::medianMs(51, [&h] {
        h.mod.FLAGVARIAZIONI = 1; // as a key typed in a box leaves it
        h.window->cmdmemorizza->click();
    });
    if (!h.boxes.boxes.isEmpty() || !h.platform.endings.isEmpty())
        throw std::runtime_error("the storing asked a question or failed");

    const Bench::Connection connection(h.archive.yearPath());
    QList<QStringList> rows;
    QSqlQuery stored =
        run(connection.db(),
            QStringLiteral("SELECT SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, "
                           "SX_6, SX_7, SX_8, SX_9, SX_10 FROM QUADROSX ORDER BY SEQ"));
    while (stored.next()) {
        QStringList row;
        for (int j = 0; j <= 10; ++j)
            row << stored.value(j).toString();
        rows << row;
    }
    stored.finish();
    Figure figure{QStringLiteral("storing (checks, 31 rows, FR_46, reload)")};
    figure.value = through;
    figure.bareWhat = QStringLiteral("same searches and writes in a transaction + 31 reads");
    figure.bare = Bench::medianMs(51, [&] {
        bareStoring(connection.db(), rows);
        bareReread(connection.db());
    });
    figure.target = 30;
    figure.ratioTarget = 1.5;
    return {figure};
}

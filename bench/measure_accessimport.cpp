#include "benchsupport.h"
#include "figures.h"
#include "tools/jet4/jet4writer.h"
#include "transfer/yearcopy.h"

#include <mdbtools.h>
#include <QTemporaryDir>

// sxcopy bringing in an Access year's database, as a process of its own, against the bare
// work: the same rows read through mdbtools' library (its own text of each value) and written
// to a SQLite file of the program's tables in one transaction.

namespace {

// `declarants` declarants with their 31 rows, the amounts as Currency, as the suite keeps them.
QByteArray accessYear(int declarants) {
    Jet4::Table front{
        QStringLiteral("FRONTESPIZIO"),
        Jet4::textColumns({"CODAZI", "CFD", "FR_1", "FR_2", "FR_3", "fr_14", "FR_46"}),
        {}};
    Jet4::Table schedule{
        QStringLiteral("QUADROSX"), Jet4::scheduleColumns(Jet4::Type::Currency), {}};
    for (int i = 0; i < declarants; ++i) {
        const QString code = Bench::companyCode(i);
        const QString taxCode = QStringLiteral("CF%1").arg(i, 14, 10, QLatin1Char('0'));
        front.rows << QVariantList{code,
                                   taxCode,
                                   QStringLiteral("COGNOME"),
                                   QStringLiteral("NOME"),
                                   QVariant(),
                                   QStringLiteral("M"),
                                   QStringLiteral("1")};
        for (int row = 1; row <= 31; ++row) {
            QVariantList values{code, taxCode,
                                QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0'))};
            for (int j = 1; j <= 7; ++j)
                values << qint64((i % 1000) * 1000000 + row * 10000 + j * 100);
            values << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0");
            schedule.rows << values;
        }
    }
    return Jet4::fileOf({front, schedule});
}

void bareTable(MdbHandle* mdb, QSqlDatabase& db, const char* name) {
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<char*>(name), MDB_TABLE);
    mdb_read_columns(table);
    const int columns = int(table->num_cols);
    std::vector<std::vector<char>> buffers(columns, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(columns);
    for (int i = 0; i < columns; ++i)
        mdb_bind_column(table, i + 1, buffers[i].data(), &lengths[i]);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)")
                       .arg(QLatin1String(name), QStringList(columns, "?").join(',')));
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        for (int i = 0; i < columns; ++i)
            insert.bindValue(i, QString::fromUtf8(buffers[i].data(), lengths[i]));
        insert.exec();
    }
    mdb_free_tabledef(table);
}

void bareImport(const QString& from, const QString& to) {
    QFile::remove(to);
    openCopyEnd(to, false); // the program's tables
    MdbHandle* mdb = mdb_open(QFile::encodeName(from).constData(), MDB_NOFLAGS);
    mdb_read_catalog(mdb, MDB_TABLE);
    Bench::Connection connection(to);
    QSqlDatabase db = connection.db();
    db.transaction();
    bareTable(mdb, db, "FRONTESPIZIO");
    bareTable(mdb, db, "QUADROSX");
    db.commit();
    mdb_close(mdb);
}

} // namespace

QList<Figure> Measure::accessImport(int declarants) {
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("S7702004.MDB"));
    const QString to = dir.filePath(QStringLiteral("nuovo.db"));
    QFile file(from);
    file.open(QIODevice::WriteOnly);
    file.write(accessYear(declarants));
    file.close();
    std::vector<Bench::ProcessRun> runs;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(to);
        runs.push_back(Bench::runProgram(QStringLiteral(SXCOPY_EXE), {from, to}));
    }
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.cpuMs < b.cpuMs; });
    const Bench::ProcessRun median = runs[1];

    Figure import{
        QStringLiteral("sxcopy of an Access file, %1 declarants (process)").arg(declarants)};
    import.value = median.ms;
    import.processor = median.cpuMs;
    import.bareWhat = QStringLiteral("the same rows through libmdb into SQLite, one transaction");
    std::vector<double> wall;
    std::vector<double> processor;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        processor.push_back(Bench::cpuMs([&] { bareImport(from, to); }));
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    import.bare = wall[1];
    import.bareProcessor = processor[1];
    import.target = 10000;
    import.ratioTarget = 1.3;
    Figure memory{QStringLiteral("peak memory of that sxcopy")};
    memory.unit = QStringLiteral("MB");
    memory.value = median.peakMb;
    memory.target = 150;
    return {import, memory};
}

// Holds the year's database locked, as another program of the suite writing to it does.
//
//   dblocker <database file> immediate|exclusive <milliseconds>|released
//
// Writes "locked" on standard output once the lock is held, then lets it go (rolling back)
// after the given time, or with "released" when its standard input ends.

#include <cstdio>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

int fail(const QString& why) {
    std::fputs(qPrintable(QStringLiteral("dblocker: ") + why + QLatin1Char('\n')), stderr);
    return 2;
}

int hold(const QString& path, const QString& mode, const QString& howLong) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    if (!db.open())
        return fail(db.lastError().text());
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN ") + mode.toUpper()))
        return fail(query.lastError().text());
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    if (howLong == QLatin1String("released")) {
        while (std::fgetc(stdin) != EOF) {
        }
    } else {
        QThread::msleep(howLong.toULong());
    }
    if (!query.exec(QStringLiteral("ROLLBACK")))
        return fail(query.lastError().text());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_LINUX
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || !QStringList{"immediate", "exclusive"}.contains(args.at(2)))
        return fail(QStringLiteral("usage: dblocker <database file> immediate|exclusive "
                                   "<milliseconds>|released"));
    const int result = hold(args.at(1), args.at(2), args.at(3));
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
    return result;
}

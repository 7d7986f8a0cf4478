#include "data/database.h"

#include "data/catalog.h"
#include "data/failurewords.h"
#include "data/queryrecordset.h"
#include "data/serverconnection.h"
#include "data/tablerecordset.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <QUuid>

namespace {

int errorNumber(const QSqlError& error) {
    bool ok = false;
    const int number = error.nativeErrorCode().toInt(&ok);
    return ok ? number : 3000 + int(error.type());
}

// Any fixed number serves, as long as every copy of the program uses the same.
constexpr qint64 writerLockKey = 7702004;

} // namespace

Database::Database(const QString& path, Access access)
    : connectionName_(QStringLiteral("quadrosx-") + QUuid::createUuid().toString()),
      dialect_(Dialect::SQLite) {
    if (!QFileInfo(path).isFile())
        throw DatabaseError{DatabaseErrors::FileNotFound,
                            QStringLiteral("File non trovato: '%1'").arg(path)};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    // mode=rw: open what is there, never create a file.
    db.setDatabaseName(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        (access == Access::ReadOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs));
    // Reading the schema tells a damaged file or one that is no database at once.
    finishOpening(db, {QStringLiteral("SELECT count(*) FROM sqlite_master")});
}

Database::Database(const ServerAddress& server, Access access)
    : connectionName_(QStringLiteral("quadrosx-") + QUuid::createUuid().toString()),
      dialect_(Dialect::PostgreSQL) {
    const ServerConnection settings = parseServerUri(server.uri);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName_);
    settings.applyTo(db);
    QStringList setup{QStringLiteral("SET lock_timeout = %1").arg(lockWaitMs)};
    if (access == Access::ReadOnly)
        setup << QStringLiteral("SET default_transaction_read_only = on");
    finishOpening(db, setup);
}

void Database::finishOpening(QSqlDatabase& db, const QStringList& setup) {
    QSqlError failure;
    if (!db.open())
        failure = db.lastError();
    for (const QString& statement : setup) {
        QSqlQuery query(db);
        if (!failure.isValid() && !query.exec(statement))
            failure = query.lastError();
    }
    open_ = true;
    if (failure.isValid()) {
        db = QSqlDatabase();
        close();
        fail(failure);
    }
}

Database::~Database() {
    close();
}

void Database::close() {
    if (!open_)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
    open_ = false;
}

QSqlDatabase Database::connection() const {
    if (!open_)
        throw DatabaseError{DatabaseErrors::NotOpen, QStringLiteral("Database non aperto")};
    return QSqlDatabase::database(connectionName_, false);
}

void Database::fail(const QSqlError& error) const {
    if (dialect_ == Dialect::SQLite)
        throw DatabaseError{
            errorNumber(error),
            FailureWords::described(FailureWords::ofSqlite(error.nativeErrorCode().toInt()),
                                    error.text())};
    if (open_)
        serverConnectionLost(connection());
    QString cause = FailureWords::ofServer(error.nativeErrorCode());
    // The driver gives no SQLSTATE for a connection that was never made.
    if (cause.isEmpty() && !open_)
        cause = QString::fromUtf8(FailureWords::cannotOpen);
    throw DatabaseError{errorNumber(error), FailureWords::described(cause, error.text())};
}

std::unique_ptr<QueryRecordset> Database::openQuery(const QString& text,
                                                    const QVariantList& values) {
    return std::make_unique<QueryRecordset>(*this, text, values);
}

std::unique_ptr<TableRecordset> Database::openTable(const QString& name) {
    return std::make_unique<TableRecordset>(*this, name);
}

void Database::execute(const QString& text, const QVariantList& values) {
    QSqlQuery query(connection());
    // A server prepares only queries and row changes: a statement without values runs as it is.
    if (values.isEmpty()) {
        if (!query.exec(text))
            fail(query.lastError());
        return;
    }
    if (!query.prepare(text))
        fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
}

QString Database::tableName(const QString& name) {
    const QString found = Catalog::tableName(*this, name);
    if (found.isEmpty())
        throw DatabaseError{DatabaseErrors::TableNotFound,
                            QStringLiteral("Tabella '%1' non trovata").arg(name)};
    return found;
}

Transaction::Transaction(Database& db) : db_(db) {
    if (db_.dialect() == Dialect::SQLite) {
        // IMMEDIATE takes the write lock now, so the wait for another program happens here.
        db_.execute(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    // The server locks rows, not the database: one lock of the whole program's own stands for
    // the file's write lock, so two storings of a schedule never interleave.
    db_.execute(QStringLiteral("BEGIN"));
    try {
        db_.execute(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(writerLockKey));
    } catch (const DatabaseError&) {
        QSqlQuery(db_.connection()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

Transaction::~Transaction() {
    if (done_ || !db_.isOpen())
        return;
    QSqlQuery rollback(db_.connection());
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit() {
    db_.execute(QStringLiteral("COMMIT"));
    done_ = true;
}

ReadSnapshot::ReadSnapshot(Database& db) : db_(db) {
    // A plain transaction on the file holds its read lock throughout; the server needs to be
    // told to keep one snapshot for all the statements.
    db_.execute(db_.dialect() == Dialect::SQLite
                    ? QStringLiteral("BEGIN")
                    : QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"));
}

ReadSnapshot::~ReadSnapshot() {
    if (!db_.isOpen())
        return;
    QSqlQuery end(db_.connection());
    end.exec(QStringLiteral("COMMIT"));
}

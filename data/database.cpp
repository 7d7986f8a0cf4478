#include "data/database.h"

#include "data/queryrecordset.h"
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

} // namespace

Database::Database(const QString& path, Access access)
    : connectionName_(QStringLiteral("quadrosx-") + QUuid::createUuid().toString()) {
    if (!QFileInfo(path).isFile())
        throw DatabaseError{DatabaseErrors::FileNotFound,
                            QStringLiteral("File non trovato: '%1'").arg(path)};
    QSqlError failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        // mode=rw: open what is there, never create a file.
        db.setDatabaseName(
            QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
            (access == Access::ReadOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(lockWaitMs));
        if (!db.open()) {
            failure = db.lastError();
        } else {
            open_ = true;
            // Reading the schema tells a damaged file or one that is no database at once.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                failure = probe.lastError();
        }
    }
    if (failure.isValid()) {
        open_ = true;
        close();
        throw DatabaseError{errorNumber(failure), failure.text()};
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
    throw DatabaseError{errorNumber(error), error.text()};
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
    if (!query.prepare(text))
        fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
}

QString Database::tableName(const QString& name) {
    QSqlQuery query(connection());
    query.prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(name);
    if (!query.exec())
        fail(query.lastError());
    if (!query.next())
        throw DatabaseError{DatabaseErrors::TableNotFound,
                            QStringLiteral("Tabella '%1' non trovata").arg(name)};
    return query.value(0).toString();
}

Transaction::Transaction(Database& db) : db_(db) {
    // IMMEDIATE takes the write lock now, so the wait for another program happens here.
    db_.execute(QStringLiteral("BEGIN IMMEDIATE"));
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

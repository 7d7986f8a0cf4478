#pragma once

#include "data/databaseerror.h"

#include <memory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <vector>

class TableRecordset;
class QueryRecordset;

// The year's database: a SQLite file opened for reading and writing, or for reading alone. A
// lock held by another program of the suite is waited for up to lockWaitMs before it fails.
class Database {
  public:
    static constexpr int lockWaitMs = 5000;
    enum class Access { ReadWrite, ReadOnly };

    // Opens an existing file; never creates one. Read-only, the file is never written.
    explicit Database(const QString& path, Access access = Access::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void close();
    bool isOpen() const { return open_; }

    // A query with its values bound in order to the ? marks of the text.
    std::unique_ptr<QueryRecordset> openQuery(const QString& text, const QVariantList& values = {});
    std::unique_ptr<TableRecordset> openTable(const QString& name);

    // Runs a statement that returns no rows.
    void execute(const QString& text, const QVariantList& values = {});

    // The store's name of a table, found without regard to case; throws when there is none.
    QString tableName(const QString& name);

    QSqlDatabase connection() const;
    [[noreturn]] void fail(const QSqlError& error) const;

  private:
    QString connectionName_;
    bool open_ = false;
};

// Every write between begin and commit lands whole or not at all: the destructor rolls back
// what was not committed. Waits for another program's lock like any write.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

  private:
    Database& db_;
    bool done_ = false;
};

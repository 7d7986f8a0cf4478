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

// Where the year's database is kept: a SQLite file, or a PostgreSQL server shared by several
// workstations. What differs between the two stays inside this folder.
enum class Dialect { SQLite, PostgreSQL };

// A PostgreSQL connection URI, "postgresql://user@host:port/dbname?sslmode=require".
struct ServerAddress {
    QString uri;
};

// The year's database, opened for reading and writing, or for reading alone. A lock held by
// another program of the suite is waited for up to lockWaitMs before it fails.
class Database {
  public:
    static constexpr int lockWaitMs = 5000;
    enum class Access { ReadWrite, ReadOnly };

    // Opens an existing file; never creates one. Read-only, the file is never written.
    explicit Database(const QString& path, Access access = Access::ReadWrite);
    // Connects to the server; an unreachable one fails within a few seconds.
    explicit Database(const ServerAddress& server, Access access = Access::ReadWrite);
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
    Dialect dialect() const { return dialect_; }
    [[noreturn]] void fail(const QSqlError& error) const;

  private:
    void finishOpening(QSqlDatabase& db, const QStringList& setup);

    QString connectionName_;
    Dialect dialect_;
    bool open_ = false;
};

// Every write between begin and commit lands whole or not at all: the destructor rolls back
// what was not committed. Waits for another program's lock like any write. Write transactions
// of this program never overlap, on the file as on a server, so two workstations storing the
// same declarant store one after the other.
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

// Reads between construction and destruction see one state of the database, whatever other
// workstations commit meanwhile.
class ReadSnapshot {
  public:
    explicit ReadSnapshot(Database& db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

  private:
    Database& db_;
};

#pragma once

#include <memory>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// The rows of a query read forward straight from SQLite, on the connection the Qt driver opened.
// The driver copies every value of a row into a variant of UTF-16 text before anyone asks for
// it; a list of a hundred thousand declarants spends more time on that copy than on the query.
// Values come out exactly as the driver gives them, and failures carry the driver's numbers and
// texts.
class SqliteReader {
  public:
    // Null when the connection is not one of a SQLite library this program shares.
    static std::unique_ptr<SqliteReader> open(const QSqlDatabase& db, const QString& text,
                                              const QVariantList& values);
    SqliteReader(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    ~SqliteReader();
    SqliteReader(const SqliteReader&) = delete;
    SqliteReader& operator=(const SqliteReader&) = delete;

    // Column names as the driver gives them, quotes removed.
    QStringList columnNames() const;
    // The next row; false after the last. A failure throws DatabaseError.
    bool next();
    // Runs the query again from its first row, with the same values.
    void rewind();
    // Binds these values in order to the ? marks, for the next run.
    void bind(const QVariantList& values);
    // The value as stored: a null QVariant for Null.
    QVariant value(int column) const;
    // The value as text; a null QString for Null.
    QString text(int column) const;
    // The same text written over `buffer`, which keeps its room from row to row; Null is empty.
    void text(int column, QString& buffer) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* statement_;
};

#pragma once

#include "data/database.h"
#include "data/sqlitereader.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>

// The rows of a query, read forward. recordCount() is 0 exactly when the query returned no
// row; otherwise it is the number of rows reached so far (at least 1).
class QueryRecordset {
  public:
    QueryRecordset(Database& db, const QString& text, const QVariantList& values);
    QueryRecordset(const QueryRecordset&) = delete;
    QueryRecordset& operator=(const QueryRecordset&) = delete;

    int recordCount() const { return reached_; }
    void moveFirst();
    void moveNext();
    bool eof() const { return eof_; }
    QString field(const QString& name) const;
    // For reading one field of many rows: the position of a field, found once.
    int fieldIndex(const QString& name) const;
    QString field(int index) const;
    // The same text written over `buffer`, which keeps its room from row to row (a long list
    // then reads its fields without making a string of each); a Null is empty.
    QStringView field(int index, QString& buffer) const;
    // The value as stored: a null QVariant for Null.
    QVariant value(const QString& name) const;
    // Runs the same query again with other values bound, from its first row.
    void requery(const QVariantList& values);
    void close();
    bool isOpen() const { return open_; }

  private:
    void requireOpen() const;
    // One row further; false past the last. Throws on failure.
    bool fetch();
    QVariant stored(int index) const;

    Database& db_;
    // On a SQLite file the rows are read straight from the library; elsewhere through Qt.
    std::unique_ptr<SqliteReader> direct_;
    QSqlQuery query_;
    QHash<QString, int> columnByName_; // upper-case name -> position
    int reached_ = 0;
    bool eof_ = true;
    bool open_ = true;
};

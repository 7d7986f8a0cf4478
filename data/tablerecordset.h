#pragma once

#include "data/database.h"

#include <QHash>
#include <QString>
#include <QStringList>

// A whole table, with a current index, searched by key for equality and updated in place,
// one record at a time. Field names are matched without regard to case; a Null reads as
// empty text.
class TableRecordset {
  public:
    TableRecordset(Database& db, const QString& table);
    TableRecordset(const TableRecordset&) = delete;
    TableRecordset& operator=(const TableRecordset&) = delete;

    // "CHIAVE" is the table's key index: <table>_CHIAVE or CHIAVE in the store.
    void setIndex(const QString& name);
    // Makes the record matching the keys current; noMatch() tells whether none did.
    void seek(const QStringList& keys);
    bool noMatch() const { return noMatch_; }

    void addNew();
    void edit();
    QString field(const QString& name) const;
    void setField(const QString& name, const QString& value);
    void update();
    void close();
    bool isOpen() const { return open_; }
    const QString& table() const { return table_; }

  private:
    int column(const QString& name) const;
    void requireOpen() const;
    QSqlQuery& prepared(const QString& statement);
    bool find(QSqlQuery& query, const QVariantList& values);

    enum class Mode { None, Adding, Editing };
    Database& db_;
    QString table_;
    QStringList columns_;
    QHash<QString, int> columnByName_; // upper-case name -> position
    QStringList keyColumns_;
    QList<int> keyPositions_;
    QString keyCondition_;
    QSqlQuery seekQuery_;
    QSqlQuery seekFormsQuery_;
    QHash<QString, QSqlQuery> statements_;
    bool hasCurrent_ = false;
    QStringList current_;
    QStringList buffer_;
    QVector<bool> changed_;
    Mode mode_ = Mode::None;
    bool noMatch_ = true;
    bool open_ = true;
};

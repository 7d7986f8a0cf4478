#pragma once

#include "transfer/accessreader.h"
#include "transfer/yearcopy.h"

// Brings FRONTESPIZIO and QUADROSX of one of the suite's Access files into a year's database.
// The file is checked when it is opened (readable, no password, both tables, every field the
// program uses, tables and fields matched without regard to case); the suite's other tables and
// fields are left out. Failures throw DatabaseError naming the file and the cause.
class AccessImport {
  public:
    explicit AccessImport(const QString& path);

    // Copies the records into `to`, which must hold none, in one transaction, checked (the
    // counts and every value, Null included) before it is committed. A record with an empty
    // or repeated key is refused and `to` is left as it was.
    CopiedRecords into(Database& to);

  private:
    struct Source {
        QString table;
        QStringList columns; // the file's names of the program's fields, in their order
    };
    Source sourceOf(const QString& table, const QStringList& fields);
    int copy(const Source& source, const QStringList& fields, int keyFields, Database& to);

    QString path_;
    AccessReader reader_;
    Source frontPage_;
    Source schedule_;
};

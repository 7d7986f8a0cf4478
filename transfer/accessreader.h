#pragma once

#include <functional>
#include <memory>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class StandardErrorCatch;
struct S_MdbTableDef;

// Reads the tables of one of the suite's Access files through mdbtools' library, opened read
// only: nothing of Access, no Windows, no ODBC. Every value comes as the text the program
// stores (see `accessValueText`); Null as a null QVariant. Failures throw DatabaseError
// (AccessFileUnreadable) with the file's name and the cause in Italian.
class AccessReader {
  public:
    explicit AccessReader(const QString& path);
    ~AccessReader();
    AccessReader(const AccessReader&) = delete;
    AccessReader& operator=(const AccessReader&) = delete;

    // The columns of `table`, named as the file spells them; the table is matched without
    // regard to case and its absence is an error.
    QStringList columns(const QString& table);

    using Row = std::function<void(const QVariantList&)>;
    // Hands each record's values of `wanted` (names as `columns` gives them) to `row`: the
    // records in their pages' order, a record an edit moved read where it went, deleted ones
    // passed over. What the library reports on standard error, a record it cannot split, a
    // value that has no text and a count other than the table's own are failures.
    void readRows(const QString& table, const QStringList& wanted, const Row& row);

  private:
    struct Table;
    std::unique_ptr<Table> open(const QString& table);
    [[noreturn]] void fail(const QString& cause) const;
    void listen(const StandardErrorCatch& said) const;
    struct Field {
        bool null;
        QByteArray bytes;
    };
    using Fields = std::vector<Field>;
    Fields fieldsOf(S_MdbTableDef* table, int row);
    bool readDataPage(S_MdbTableDef* table, int page);

    QString path_;
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

// The text the program stores for a value of an Access column type (mdbtools' type codes) kept
// in `bytes`: whole numbers as digits, Currency as an amount with a comma and at least two
// decimals (exactly), Single and Double in their shortest decimal form with a comma (past 64
// characters with an exponent), Date/Time as dd/MM/yyyy (and hh:mm:ss when not midnight). Empty
// for a type that is not a number, and for an infinite value or one that is not a number.
QString accessValueText(int type, const QByteArray& bytes);

#include "data/sqlitereader.h"

#include "data/databaseerror.h"
#include "data/failurewords.h"

#ifdef QUADROSX_DIRECT_SQLITE

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {

// The failure as the Qt driver words it, in the program's language when Qt's is loaded.
[[noreturn]] void fail(sqlite3* db, const char* what, int code) {
    const QSqlError error(QCoreApplication::translate("QSQLiteResult", what),
                          QString(reinterpret_cast<const QChar*>(sqlite3_errmsg16(db))),
                          QSqlError::StatementError, QString::number(code));
    throw DatabaseError{code, FailureWords::described(FailureWords::ofSqlite(code), error.text())};
}

void bindValue(sqlite3* db, sqlite3_stmt* statement, int position, const QVariant& value) {
    int result = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        result = sqlite3_bind_int64(statement, position, value.toLongLong());
        break;
    case QMetaType::Double:
        result = sqlite3_bind_double(statement, position, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        result = sqlite3_bind_blob(statement, position, bytes.constData(), int(bytes.size()),
                                   SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QString text = value.toString();
        result = sqlite3_bind_text16(statement, position, text.utf16(),
                                     int(text.size() * sizeof(QChar)), SQLITE_TRANSIENT);
    }
    }
    if (result != SQLITE_OK)
        fail(db, "Unable to bind parameters", result);
}

bool isAscii(const unsigned char* bytes, int count) {
    for (int i = 0; i < count; ++i)
        if (bytes[i] >= 0x80)
            return false;
    return true;
}

} // namespace

std::unique_ptr<SqliteReader> SqliteReader::open(const QSqlDatabase& connection,
                                                 const QString& text, const QVariantList& values) {
    const QVariant handle = connection.driver() ? connection.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    sqlite3_stmt* statement = nullptr;
    const void* tail = nullptr;
    const int prepared = sqlite3_prepare16_v2(
        db, text.utf16(), int((text.size() + 1) * sizeof(QChar)), &statement, &tail);
    if (prepared != SQLITE_OK) {
        sqlite3_finalize(statement);
        fail(db, "Unable to execute statement", prepared);
    }
    auto reader = std::make_unique<SqliteReader>(db, statement);
    if (tail && !QString(static_cast<const QChar*>(tail)).trimmed().isEmpty())
        fail(db, "Unable to execute multiple statements at a time", SQLITE_MISUSE);
    reader->bind(values);
    return reader;
}

void SqliteReader::bind(const QVariantList& values) {
    if (sqlite3_bind_parameter_count(statement_) != values.size())
        throw DatabaseError{
            3000 + int(QSqlError::StatementError),
            QCoreApplication::translate("QSQLiteResult", "Parameter count mismatch")};
    for (int i = 0; i < values.size(); ++i)
        bindValue(db_, statement_, i + 1, values.at(i));
}

SqliteReader::~SqliteReader() {
    sqlite3_finalize(statement_);
}

QStringList SqliteReader::columnNames() const {
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(statement_); ++i)
        names << QString(reinterpret_cast<const QChar*>(sqlite3_column_name16(statement_, i)))
                     .remove(QLatin1Char('"'));
    return names;
}

bool SqliteReader::next() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    // A generic error tells its cause only once the statement is reset.
    const int cause = result == SQLITE_ERROR ? sqlite3_reset(statement_) : result;
    const QString message = QString(reinterpret_cast<const QChar*>(sqlite3_errmsg16(db_)));
    sqlite3_reset(statement_);
    const QSqlError error(QCoreApplication::translate("QSQLiteResult", "Unable to fetch row"),
                          message, QSqlError::ConnectionError, QString::number(cause));
    throw DatabaseError{cause,
                        FailureWords::described(FailureWords::ofSqlite(cause), error.text())};
}

void SqliteReader::rewind() {
    const int result = sqlite3_reset(statement_);
    if (result != SQLITE_OK)
        fail(db_, "Unable to reset statement", result);
}

QVariant SqliteReader::value(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(statement_, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement_, column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, column)),
                          sqlite3_column_bytes(statement_, column));
    default:
        return text(column);
    }
}

QString SqliteReader::text(int column) const {
    if (sqlite3_column_type(statement_, column) != SQLITE_TEXT) {
        const QVariant stored = value(column);
        return stored.isNull() ? QString() : stored.toString();
    }
    // Plain ASCII, as codes and most names are, is its own UTF-16; anything else is converted
    // by SQLite, as the driver does.
    const unsigned char* bytes = sqlite3_column_text(statement_, column);
    const int count = sqlite3_column_bytes(statement_, column);
    if (count == 0)
        return QStringLiteral("");
    if (isAscii(bytes, count))
        return QString::fromLatin1(reinterpret_cast<const char*>(bytes), count);
    const void* utf16 = sqlite3_column_text16(statement_, column);
    return QString(static_cast<const QChar*>(utf16),
                   sqlite3_column_bytes16(statement_, column) / int(sizeof(QChar)));
}

void SqliteReader::text(int column, QString& buffer) const {
    if (sqlite3_column_type(statement_, column) != SQLITE_TEXT) {
        buffer = text(column);
        return;
    }
    const unsigned char* bytes = sqlite3_column_text(statement_, column);
    const int count = sqlite3_column_bytes(statement_, column);
    if (!isAscii(bytes, count)) {
        buffer = text(column);
        return;
    }
    buffer.resize(count);
    QChar* to = buffer.data();
    for (int i = 0; i < count; ++i)
        to[i] = QLatin1Char(char(bytes[i]));
}

#else

std::unique_ptr<SqliteReader> SqliteReader::open(const QSqlDatabase&, const QString&,
                                                 const QVariantList&) {
    return nullptr;
}
SqliteReader::~SqliteReader() = default;
QStringList SqliteReader::columnNames() const {
    return {};
}
bool SqliteReader::next() {
    return false;
}
void SqliteReader::rewind() {}
void SqliteReader::bind(const QVariantList&) {}
QVariant SqliteReader::value(int) const {
    return {};
}
QString SqliteReader::text(int) const {
    return {};
}
void SqliteReader::text(int, QString&) const {}

#endif

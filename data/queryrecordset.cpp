#include "data/queryrecordset.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

namespace {

// The file sorts Null before any text and the server after it: the server is asked to sort as
// the file does.
QString sortedAsOnFile(const QString& text) {
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\s+(.+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = orderBy.match(text);
    if (!match.hasMatch() ||
        match.captured(1).contains(QLatin1String("nulls"), Qt::CaseInsensitive))
        return text;
    QStringList terms = match.captured(1).split(QLatin1Char(','));
    for (QString& term : terms) {
        term = term.trimmed();
        term += term.endsWith(QLatin1String(" desc"), Qt::CaseInsensitive)
                    ? QStringLiteral(" NULLS LAST")
                    : QStringLiteral(" NULLS FIRST");
    }
    return text.left(match.capturedStart(1)) + terms.join(QLatin1Char(','));
}

} // namespace

QueryRecordset::QueryRecordset(Database& db, const QString& text, const QVariantList& values)
    : db_(db), query_(db.connection()) {
    // Reading row by row as it comes suits the file; the server's driver would then have to
    // finish this query before any other statement on the connection, so its rows come whole.
    const bool onFile = db.dialect() == Dialect::SQLite;
    query_.setForwardOnly(onFile);
    if (!query_.prepare(onFile ? text : sortedAsOnFile(text)))
        db_.fail(query_.lastError());
    for (const QVariant& value : values)
        query_.addBindValue(value.isNull() ? QVariant(QStringLiteral("")) : value);
    if (!query_.exec())
        db_.fail(query_.lastError());
    const QSqlRecord record = query_.record();
    for (int i = 0; i < record.count(); ++i)
        columnByName_.insert(record.fieldName(i).toUpper(), i);
    eof_ = !query_.next();
    reached_ = eof_ ? 0 : 1;
}

void QueryRecordset::requireOpen() const {
    if (!open_)
        throw DatabaseError{3420, QStringLiteral("Oggetto non valido o non più impostato")};
}

void QueryRecordset::moveFirst() {
    requireOpen();
    if (reached_ <= 1) {
        eof_ = reached_ == 0;
        return;
    }
    if (!query_.exec())
        db_.fail(query_.lastError());
    eof_ = !query_.next();
}

void QueryRecordset::moveNext() {
    requireOpen();
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    eof_ = !query_.next();
    if (!eof_)
        ++reached_;
    else if (query_.lastError().isValid())
        db_.fail(query_.lastError());
}

int QueryRecordset::fieldIndex(const QString& name) const {
    requireOpen();
    const int index = columnByName_.value(name.toUpper(), -1);
    if (index < 0)
        throw DatabaseError{DatabaseErrors::FieldNotFound,
                            QStringLiteral("Campo '%1' non trovato").arg(name)};
    return index;
}

QVariant QueryRecordset::value(const QString& name) const {
    const int index = fieldIndex(name);
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    return query_.value(index);
}

QString QueryRecordset::field(const QString& name) const {
    return field(fieldIndex(name));
}

QString QueryRecordset::field(int index) const {
    requireOpen();
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    const QVariant v = query_.value(index);
    return v.isNull() ? QString() : v.toString();
}

void QueryRecordset::requery(const QVariantList& values) {
    requireOpen();
    query_.finish();
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, values.at(i).isNull() ? QVariant(QStringLiteral("")) : values.at(i));
    if (!query_.exec())
        db_.fail(query_.lastError());
    eof_ = !query_.next();
    reached_ = eof_ ? 0 : 1;
}

void QueryRecordset::close() {
    requireOpen();
    query_.finish();
    query_ = QSqlQuery();
    open_ = false;
}

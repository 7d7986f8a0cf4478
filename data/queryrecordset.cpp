#include "data/queryrecordset.h"

#include <QSqlError>
#include <QSqlRecord>

QueryRecordset::QueryRecordset(Database& db, const QString& text, const QVariantList& values)
    : db_(db), query_(db.connection()) {
    query_.setForwardOnly(true);
    if (!query_.prepare(text))
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

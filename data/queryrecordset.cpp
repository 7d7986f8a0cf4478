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

// A Null value is bound as empty text.
QVariantList bindable(const QVariantList& values) {
    QVariantList bound;
    for (const QVariant& value : values)
        bound << (value.isNull() ? QVariant(QStringLiteral("")) : value);
    return bound;
}

} // namespace

QueryRecordset::QueryRecordset(Database& db, const QString& text, const QVariantList& values)
    : db_(db) {
    const QVariantList bound = bindable(values);
    direct_ = SqliteReader::open(db.connection(), text, bound);
    if (direct_) {
        const QStringList names = direct_->columnNames();
        for (int i = 0; i < names.size(); ++i)
            columnByName_.insert(names.at(i).toUpper(), i);
    } else {
        query_ = QSqlQuery(db.connection());
        // Reading row by row as it comes suits the file; the server's driver would then have to
        // finish this query before any other statement on the connection, so its rows come
        // whole.
        const bool onFile = db.dialect() == Dialect::SQLite;
        query_.setForwardOnly(onFile);
        if (!query_.prepare(onFile ? text : sortedAsOnFile(text)))
            db_.fail(query_.lastError());
        for (const QVariant& value : bound)
            query_.addBindValue(value);
        if (!query_.exec())
            db_.fail(query_.lastError());
        const QSqlRecord record = query_.record();
        for (int i = 0; i < record.count(); ++i)
            columnByName_.insert(record.fieldName(i).toUpper(), i);
    }
    eof_ = !fetch();
    reached_ = eof_ ? 0 : 1;
}

bool QueryRecordset::fetch() {
    if (direct_)
        return direct_->next();
    if (query_.next())
        return true;
    if (query_.lastError().isValid())
        db_.fail(query_.lastError());
    return false;
}

QVariant QueryRecordset::stored(int index) const {
    return direct_ ? direct_->value(index) : query_.value(index);
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
    if (direct_)
        direct_->rewind();
    else if (!query_.exec())
        db_.fail(query_.lastError());
    eof_ = !fetch();
}

void QueryRecordset::moveNext() {
    requireOpen();
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    eof_ = !fetch();
    if (!eof_)
        ++reached_;
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
    return stored(index);
}

QString QueryRecordset::field(const QString& name) const {
    return field(fieldIndex(name));
}

QString QueryRecordset::field(int index) const {
    requireOpen();
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    if (direct_)
        return direct_->text(index);
    const QVariant v = query_.value(index);
    return v.isNull() ? QString() : v.toString();
}

void QueryRecordset::requery(const QVariantList& values) {
    requireOpen();
    if (direct_) {
        direct_->rewind();
        direct_->bind(bindable(values));
    } else {
        query_.finish();
        const QVariantList bound = bindable(values);
        for (int i = 0; i < bound.size(); ++i)
            query_.bindValue(i, bound.at(i));
        if (!query_.exec())
            db_.fail(query_.lastError());
    }
    eof_ = !fetch();
    reached_ = eof_ ? 0 : 1;
}

QStringView QueryRecordset::field(int index, QString& buffer) const {
    if (!direct_) {
        buffer = field(index);
        return buffer;
    }
    requireOpen();
    if (eof_)
        throw DatabaseError{DatabaseErrors::NoCurrentRecord,
                            QStringLiteral("Nessun record corrente")};
    direct_->text(index, buffer);
    return buffer;
}

void QueryRecordset::close() {
    requireOpen();
    direct_.reset();
    query_.finish();
    query_ = QSqlQuery();
    open_ = false;
}

#include "data/tablerecordset.h"

#include "data/catalog.h"
#include "data/keyforms.h"

#include <QSqlError>
#include <QSqlRecord>

namespace {

[[noreturn]] void noCurrentRecord() {
    throw DatabaseError{DatabaseErrors::NoCurrentRecord, QStringLiteral("Nessun record corrente")};
}

} // namespace

TableRecordset::TableRecordset(Database& db, const QString& table)
    : db_(db), table_(db.tableName(table)), columns_(Catalog::columns(db, table_)) {
    for (int i = 0; i < columns_.size(); ++i)
        columnByName_.insert(columns_.at(i).toUpper(), i);
}

void TableRecordset::requireOpen() const {
    if (!open_)
        throw DatabaseError{3420, QStringLiteral("Oggetto non valido o non più impostato")};
}

int TableRecordset::column(const QString& name) const {
    const int index = columnByName_.value(name.toUpper(), -1);
    if (index < 0)
        throw DatabaseError{
            DatabaseErrors::FieldNotFound,
            QStringLiteral("Campo '%1' non trovato nella tabella %2").arg(name, table_)};
    return index;
}

void TableRecordset::setIndex(const QString& name) {
    requireOpen();
    // Index names belong to the whole database: the table's CHIAVE is stored as <table>_CHIAVE.
    QStringList keys = Catalog::indexColumns(db_, table_, table_ + QLatin1Char('_') + name);
    if (keys.isEmpty())
        keys = Catalog::indexColumns(db_, table_, name);
    if (keys.isEmpty())
        throw DatabaseError{
            DatabaseErrors::IndexNotFound,
            QStringLiteral("Indice '%1' non trovato nella tabella %2").arg(name, table_)};
    keyColumns_.clear();
    keyPositions_.clear();
    for (const QString& key : keys) {
        keyPositions_ << column(key);
        keyColumns_ << columns_.at(keyPositions_.last());
    }

    // Keys are searched as given (a tax code of 11 characters followed by 5 blanks); a record
    // stored by another program with other trailing blanks is found by a second search, on both
    // forms of each key (keyForms).
    QStringList exact;
    QStringList forms;
    for (const QString& key : keyColumns_) {
        exact << Catalog::quoted(key) + QStringLiteral(" = ?");
        forms << Catalog::quoted(key) + QStringLiteral(" IN (?, ?)");
    }
    const QString select = QStringLiteral("SELECT * FROM %1 WHERE %2 LIMIT 1");
    seekQuery_ = QSqlQuery(db_.connection());
    if (!seekQuery_.prepare(
            select.arg(Catalog::quoted(table_), exact.join(QStringLiteral(" AND ")))))
        db_.fail(seekQuery_.lastError());
    seekFormsQuery_ = QSqlQuery(db_.connection());
    if (!seekFormsQuery_.prepare(
            select.arg(Catalog::quoted(table_), forms.join(QStringLiteral(" AND ")))))
        db_.fail(seekFormsQuery_.lastError());
    // A record is written back through its key, which every store has.
    keyCondition_ = exact.join(QStringLiteral(" AND "));
}

bool TableRecordset::find(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        db_.fail(query.lastError());
    const bool found = query.next();
    if (found) {
        hasCurrent_ = true;
        current_.clear();
        for (int i = 0; i < columns_.size(); ++i) {
            const QVariant v = query.value(i);
            current_ << (v.isNull() ? QString() : v.toString());
        }
    }
    query.finish();
    return found;
}

void TableRecordset::seek(const QStringList& keys) {
    requireOpen();
    if (keyColumns_.isEmpty() || keys.size() > keyColumns_.size())
        throw DatabaseError{DatabaseErrors::IndexNotFound,
                            QStringLiteral("Ricerca senza indice corrente su %1").arg(table_)};
    mode_ = Mode::None;
    QVariantList exact;
    QVariantList forms;
    for (int i = 0; i < keyColumns_.size(); ++i) {
        const QString key = i < keys.size() ? keys.at(i) : QStringLiteral("");
        exact << key;
        forms << keyForms(key);
    }
    noMatch_ = !find(seekQuery_, exact) && !find(seekFormsQuery_, forms);
    if (noMatch_) {
        hasCurrent_ = false;
        current_.clear();
    }
}

void TableRecordset::addNew() {
    requireOpen();
    buffer_ = QStringList();
    for (int i = 0; i < columns_.size(); ++i)
        buffer_ << QString();
    changed_.fill(false, columns_.size());
    mode_ = Mode::Adding;
}

void TableRecordset::edit() {
    requireOpen();
    if (!hasCurrent_)
        noCurrentRecord();
    buffer_ = current_;
    changed_.fill(false, columns_.size());
    mode_ = Mode::Editing;
}

QString TableRecordset::field(const QString& name) const {
    requireOpen();
    const int index = column(name);
    if (mode_ != Mode::None)
        return buffer_.at(index);
    if (!hasCurrent_)
        noCurrentRecord();
    return current_.at(index);
}

void TableRecordset::setField(const QString& name, const QString& value) {
    requireOpen();
    const int index = column(name);
    if (mode_ == Mode::None)
        throw DatabaseError{DatabaseErrors::UpdateWithoutEdit,
                            QStringLiteral("Aggiornamento senza AddNew o Edit")};
    // An empty text is stored as empty text, never as Null.
    buffer_[index] = value.isNull() ? QStringLiteral("") : value;
    changed_[index] = true;
}

void TableRecordset::update() {
    requireOpen();
    QStringList names;
    QVariantList values;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!changed_.value(i))
            continue;
        names << Catalog::quoted(columns_.at(i));
        values << buffer_.at(i);
    }
    QString statement;
    if (mode_ == Mode::Adding) {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        statement =
            names.isEmpty()
                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Catalog::quoted(table_))
                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(Catalog::quoted(table_), names.join(QLatin1Char(',')),
                           marks.join(QLatin1Char(',')));
    } else if (mode_ == Mode::Editing) {
        if (names.isEmpty()) {
            mode_ = Mode::None;
            return;
        }
        statement =
            QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3")
                .arg(Catalog::quoted(table_), names.join(QStringLiteral(" = ?, ")), keyCondition_);
        for (const int position : keyPositions_)
            values << current_.at(position);
    } else {
        throw DatabaseError{DatabaseErrors::UpdateWithoutEdit,
                            QStringLiteral("Aggiornamento senza AddNew o Edit")};
    }
    QSqlQuery& query = prepared(statement);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        db_.fail(query.lastError());
    query.finish();
    if (mode_ == Mode::Editing) {
        for (int i = 0; i < columns_.size(); ++i)
            if (changed_.value(i))
                current_[i] = buffer_.at(i);
    }
    mode_ = Mode::None;
}

QSqlQuery& TableRecordset::prepared(const QString& statement) {
    // The same few statements come back for every row written: prepare each once.
    auto it = statements_.find(statement);
    if (it != statements_.end())
        return it.value();
    QSqlQuery query(db_.connection());
    if (!query.prepare(statement))
        db_.fail(query.lastError());
    return statements_.insert(statement, query).value();
}

void TableRecordset::close() {
    requireOpen();
    statements_.clear();
    seekQuery_ = QSqlQuery();
    seekFormsQuery_ = QSqlQuery();
    open_ = false;
}

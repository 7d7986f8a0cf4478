#include "transfer/accessimport.h"

#include "data/catalog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// The fields of the year's database that the program reads and writes; the keys first.
const QStringList frontPageFields = {QStringLiteral("CODAZI"), QStringLiteral("CFD"),
                                     QStringLiteral("FR_1"),   QStringLiteral("FR_2"),
                                     QStringLiteral("FR_3"),   QStringLiteral("fr_14"),
                                     QStringLiteral("FR_46")};
const QStringList scheduleFields = {
    QStringLiteral("CODAZI"), QStringLiteral("CFD"),  QStringLiteral("SEQ"),
    QStringLiteral("SX_1"),   QStringLiteral("SX_2"), QStringLiteral("SX_3"),
    QStringLiteral("SX_4"),   QStringLiteral("SX_5"), QStringLiteral("SX_6"),
    QStringLiteral("SX_7"),   QStringLiteral("SX_8"), QStringLiteral("SX_9"),
    QStringLiteral("SX_10")};

// Every record's joined values, summed under two hashes, and their count: equal digests mean the
// same records, without holding them all.
struct Digest {
    qsizetype count = 0;
    size_t first = 0;
    size_t second = 0;
    void add(const QVariantList& values) {
        const QString record = joinedRecord(values);
        ++count;
        first += qHash(record, 1);
        second += qHash(record, 0x9e3779b9);
    }
    bool operator==(const Digest& other) const {
        return count == other.count && first == other.first && second == other.second;
    }
};

Digest storedDigest(Database& db, const QString& table, const QStringList& columns) {
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2")
                        .arg(columns.join(QLatin1Char(',')), Catalog::quoted(table))))
        db.fail(query.lastError());
    Digest digest;
    QVariantList values;
    while (query.next()) {
        values.clear();
        for (int i = 0; i < columns.size(); ++i)
            values << (query.isNull(i) ? QVariant() : QVariant(query.value(i).toString()));
        digest.add(values);
    }
    return digest;
}

// Whether `table` already holds a record of that key (`columns` the key's, as the store names
// them).
bool isRepeatedKey(Database& db, const QString& table, const QStringList& columns,
                   const QStringList& key) {
    QStringList conditions;
    for (int i = 0; i < key.size(); ++i)
        conditions << Catalog::quoted(columns.at(i)) + QStringLiteral(" = ?");
    QSqlQuery query(db.connection());
    query.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2")
                      .arg(Catalog::quoted(table), conditions.join(QStringLiteral(" AND "))));
    for (const QString& value : key)
        query.addBindValue(value);
    return query.exec() && query.next();
}

// The target's names of `fields`, which the program's tables all have.
QStringList storeNames(Database& db, const QString& table, const QStringList& fields) {
    const QStringList present = Catalog::columns(db, table);
    QStringList names;
    for (const QString& field : fields) {
        const auto found = std::find_if(present.begin(), present.end(), [&](const QString& name) {
            return name.compare(field, Qt::CaseInsensitive) == 0;
        });
        names << (found == present.end() ? field : *found);
    }
    return names;
}

QStringList quotedAll(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << Catalog::quoted(name);
    return quoted;
}

} // namespace

AccessImport::AccessImport(const QString& path)
    : path_(path), reader_(path),
      frontPage_(sourceOf(QStringLiteral("FRONTESPIZIO"), frontPageFields)),
      schedule_(sourceOf(QStringLiteral("QUADROSX"), scheduleFields)) {}

AccessImport::Source AccessImport::sourceOf(const QString& table, const QStringList& fields) {
    const QStringList present = reader_.columns(table);
    Source source{table, {}};
    for (const QString& field : fields) {
        const auto found = std::find_if(present.begin(), present.end(), [&](const QString& name) {
            return name.compare(field, Qt::CaseInsensitive) == 0;
        });
        if (found == present.end())
            throw DatabaseError{DatabaseErrors::AccessFileUnreadable,
                                QStringLiteral("Il file Access %1 non ha il campo %2 della tabella "
                                               "%3.")
                                    .arg(path_, field, table)};
        source.columns << *found;
    }
    return source;
}

CopiedRecords AccessImport::into(Database& to) {
    refuseFilledTarget(to);
    Transaction transaction(to);
    CopiedRecords copied;
    copied.frontPages = copy(frontPage_, frontPageFields, 2, to);
    copied.scheduleRows = copy(schedule_, scheduleFields, 3, to);
    transaction.commit();
    return copied;
}

int AccessImport::copy(const Source& source, const QStringList& fields, int keyFields,
                       Database& to) {
    const QString table = to.tableName(source.table);
    const QStringList columns = storeNames(to, table, fields);
    QSqlQuery write(to.connection());
    const QStringList marks(fields.size(), QStringLiteral("?"));
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(Catalog::quoted(table), quotedAll(columns).join(QLatin1Char(',')),
                                marks.join(QLatin1Char(',')))))
        to.fail(write.lastError());
    Digest expected;
    const auto refuse = [&](const QString& why) {
        throw DatabaseError{DatabaseErrors::AccessFileUnreadable,
                            QStringLiteral("Il file Access %1, tabella %2, record %3: %4. Nulla è "
                                           "stato copiato.")
                                .arg(path_, source.table)
                                .arg(expected.count + 1)
                                .arg(why)};
    };
    reader_.readRows(source.table, source.columns, [&](const QVariantList& values) {
        QStringList key;
        for (int i = 0; i < keyFields; ++i) {
            if (values.at(i).toString().trimmed().isEmpty())
                refuse(QStringLiteral("il campo chiave %1 è vuoto").arg(fields.at(i)));
            key << values.at(i).toString();
        }
        for (int i = 0; i < values.size(); ++i)
            write.bindValue(i, values.at(i).isNull() ? QVariant(QMetaType::fromType<QString>())
                                                     : values.at(i));
        // The table's unique key refuses a record whose key is there already.
        if (!write.exec()) {
            if (isRepeatedKey(to, table, columns, key))
                refuse(QStringLiteral("la chiave %1 è ripetuta").arg(key.join(QLatin1Char(' '))));
            to.fail(write.lastError());
        }
        expected.add(values);
    });
    if (!(storedDigest(to, table, quotedAll(columns)) == expected))
        throw DatabaseError{DatabaseErrors::CopyRefused,
                            QStringLiteral("La copia di %1 non corrisponde al file Access %2")
                                .arg(source.table, path_)};
    return int(expected.count);
}

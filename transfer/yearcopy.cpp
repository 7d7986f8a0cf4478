#include "transfer/yearcopy.h"

#include "data/catalog.h"
#include "data/yeardatabase.h"

#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace {

const QStringList tables = {QStringLiteral("FRONTESPIZIO"), QStringLiteral("QUADROSX")};

// The source is only read.
Database::Access access(bool source) {
    return source ? Database::Access::ReadOnly : Database::Access::ReadWrite;
}

[[noreturn]] void refuse(const QString& why) {
    throw DatabaseError{DatabaseErrors::CopyRefused, why};
}

// The target's columns that the source has too, as each side names them.
std::pair<QStringList, QStringList> sharedColumns(Database& from, Database& to,
                                                  const QString& table) {
    const QStringList source = Catalog::columns(from, from.tableName(table));
    QStringList fromNames;
    QStringList toNames;
    for (const QString& column : Catalog::columns(to, to.tableName(table))) {
        const auto found = std::find_if(source.begin(), source.end(), [&](const QString& name) {
            return name.compare(column, Qt::CaseInsensitive) == 0;
        });
        if (found != source.end()) {
            fromNames << Catalog::quoted(*found);
            toNames << Catalog::quoted(column);
        }
    }
    return {fromNames, toNames};
}

int copyTable(Database& from, Database& to, const QString& table) {
    const auto [fromColumns, toColumns] = sharedColumns(from, to, table);
    QSqlQuery read(from.connection());
    read.setForwardOnly(true);
    if (!read.exec(
            QStringLiteral("SELECT %1 FROM %2")
                .arg(fromColumns.join(QLatin1Char(',')), Catalog::quoted(from.tableName(table)))))
        from.fail(read.lastError());
    QSqlQuery write(to.connection());
    const QStringList marks(toColumns.size(), QStringLiteral("?"));
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(Catalog::quoted(to.tableName(table)),
                                toColumns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        to.fail(write.lastError());
    int count = 0;
    while (read.next()) {
        for (int i = 0; i < toColumns.size(); ++i)
            write.bindValue(i, read.isNull(i) ? QVariant(QMetaType::fromType<QString>())
                                              : QVariant(read.value(i).toString()));
        if (!write.exec())
            to.fail(write.lastError());
        ++count;
    }
    if (storedRecords(from, table, fromColumns) != storedRecords(to, table, toColumns))
        refuse(QStringLiteral("La copia di %1 non corrisponde all'origine").arg(table));
    return count;
}

} // namespace

QString joinedRecord(const QVariantList& values) {
    QString record;
    for (const QVariant& value : values)
        record += value.isNull() ? QStringLiteral("\x01N") : QLatin1Char('\x02') + value.toString();
    return record;
}

QStringList storedRecords(Database& db, const QString& table, const QStringList& columns) {
    QSqlQuery query(db.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2")
                        .arg(columns.join(QLatin1Char(',')), Catalog::quoted(db.tableName(table)))))
        db.fail(query.lastError());
    QStringList records;
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < columns.size(); ++i)
            values << (query.isNull(i) ? QVariant() : QVariant(query.value(i).toString()));
        records << joinedRecord(values);
    }
    records.sort();
    return records;
}

void refuseFilledTarget(Database& to) {
    for (const QString& table : tables) {
        QSqlQuery any(to.connection());
        if (!any.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1")
                          .arg(Catalog::quoted(to.tableName(table)))))
            to.fail(any.lastError());
        if (any.next())
            refuse(QStringLiteral("La destinazione contiene già righe di %1: non viene "
                                  "sovrascritta")
                       .arg(table));
    }
}

CopiedRecords copyYearDatabase(Database& from, Database& to) {
    refuseFilledTarget(to);
    Transaction transaction(to);
    CopiedRecords copied;
    copied.frontPages = copyTable(from, to, tables.at(0));
    copied.scheduleRows = copyTable(from, to, tables.at(1));
    transaction.commit();
    return copied;
}

std::unique_ptr<Database> openCopyEnd(const QString& name, bool source) {
    if (name.startsWith(QLatin1String("postgres")))
        return openYearDatabase({}, name, access(source));
    if (!source && !QFileInfo::exists(name)) {
        QFile file(name);
        if (!file.open(QIODevice::NewOnly))
            throw DatabaseError{DatabaseErrors::FileNotFound,
                                QStringLiteral("Impossibile creare '%1'").arg(name)};
        file.close();
        Database db(name);
        createMissingTables(db);
    }
    return std::make_unique<Database>(name, access(source));
}

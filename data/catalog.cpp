#include "data/catalog.h"

#include "data/database.h"

#include <QSqlError>

namespace {

// One column of every row of a query.
QStringList columnOf(Database& db, const QString& text, const QVariantList& values = {},
                     int column = 0) {
    QSqlQuery query(db.connection());
    if (!query.prepare(text))
        db.fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        db.fail(query.lastError());
    QStringList result;
    while (query.next())
        result << query.value(column).toString();
    return result;
}

} // namespace

QString Catalog::quoted(const QString& identifier) {
    return QLatin1Char('"') +
           QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString Catalog::tableName(Database& db, const QString& name) {
    const QString sql =
        db.dialect() == Dialect::SQLite
            ? QStringLiteral(
                  "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE")
            : QStringLiteral("SELECT c.relname FROM pg_class c WHERE c.relkind IN ('r', 'p') "
                             "AND pg_table_is_visible(c.oid) AND lower(c.relname) = lower(?) "
                             "ORDER BY c.relname");
    return columnOf(db, sql, {name}).value(0);
}

QStringList Catalog::columns(Database& db, const QString& table) {
    if (db.dialect() == Dialect::SQLite)
        return columnOf(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)), {}, 1);
    return columnOf(db,
                    QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = "
                                   "to_regclass(quote_ident(?)) AND attnum > 0 AND NOT "
                                   "attisdropped ORDER BY attnum"),
                    {table});
}

QStringList Catalog::indexColumns(Database& db, const QString& table, const QString& index) {
    if (db.dialect() == Dialect::SQLite) {
        const QString name = columnOf(db,
                                      QStringLiteral("SELECT name FROM sqlite_master WHERE "
                                                     "type = 'index' AND tbl_name = ? COLLATE "
                                                     "NOCASE AND name = ? COLLATE NOCASE"),
                                      {table, index})
                                 .value(0);
        if (name.isEmpty())
            return {};
        return columnOf(db, QStringLiteral("PRAGMA index_info(%1)").arg(quoted(name)), {}, 2);
    }
    return columnOf(
        db,
        QStringLiteral("SELECT a.attname FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid "
                       "CROSS JOIN LATERAL unnest(x.indkey::int2[]) WITH ORDINALITY AS k(attnum, "
                       "position) JOIN pg_attribute a ON a.attrelid = x.indrelid AND a.attnum = "
                       "k.attnum WHERE x.indrelid = to_regclass(quote_ident(?)) AND "
                       "lower(i.relname) = lower(?) ORDER BY k.position"),
        {table, index});
}

#include "data/yeardatabase.h"

#include "data/catalog.h"

#include <QFile>

std::unique_ptr<Database> openYearDatabase(const QString& filePath, const QString& serverUri,
                                           Database::Access access) {
    if (serverUri.isEmpty())
        return std::make_unique<Database>(filePath, access);
    auto db = std::make_unique<Database>(ServerAddress{serverUri}, access);
    if (access == Database::Access::ReadWrite)
        createMissingTables(*db);
    return db;
}

QStringList schemaStatements(Dialect dialect) {
    QFile file(dialect == Dialect::SQLite ? QStringLiteral(":/data/schema.sql")
                                          : QStringLiteral(":/data/schema-postgresql.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError{DatabaseErrors::FileNotFound,
                            QStringLiteral("Schema non trovato: '%1'").arg(file.fileName())};
    QString text;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    QStringList statements;
    for (const QString& statement : text.split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    return statements;
}

void createMissingTables(Database& db) {
    if (!Catalog::tableName(db, QStringLiteral("FRONTESPIZIO")).isEmpty() &&
        !Catalog::tableName(db, QStringLiteral("QUADROSX")).isEmpty())
        return;
    Transaction transaction(db);
    for (const QString& statement : schemaStatements(db.dialect()))
        db.execute(statement);
    transaction.commit();
}

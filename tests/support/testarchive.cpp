#include "testarchive.h"

#include "data/serverconnection.h"
#include "data/yeardatabase.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <stdexcept>

namespace {

// Settings live in a folder of the test run's own, chosen before any QSettings exists.
QString configHome() {
    static const QString home = [] {
        const QString path = QDir::tempPath() + QStringLiteral("/quadrosx-test-config-") +
                             QUuid::createUuid().toString(QUuid::WithoutBraces);
        QDir().mkpath(path);
        qputenv("XDG_CONFIG_HOME", path.toLocal8Bit());
        return path;
    }();
    return home;
}
Q_CONSTRUCTOR_FUNCTION(configHome)

// Runs statements on a file, or on the server when one is named, through a connection of their
// own; the last one's rows come back as texts, Null as a null QString.
QList<QStringList> run(const QString& path, const QStringList& statements,
                       const QVariantList& values = {}, const QString& server = {}) {
    QList<QStringList> rows;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            server.isEmpty() ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
        db.setDatabaseName(path);
        if (!server.isEmpty())
            parseServerUri(server).applyTo(db);
        QSqlQuery query(db);
        for (const QString& sql : statements) {
            // A server prepares only queries and row changes: anything else runs as it is.
            bool ok = db.isOpen() || db.open();
            ok = ok && (values.isEmpty() ? query.exec(sql) : query.prepare(sql));
            for (const QVariant& value : values)
                query.addBindValue(value);
            if (!ok || (!values.isEmpty() && !query.exec()))
                throw std::runtime_error(
                    qPrintable(sql + ": " + query.lastError().text() + db.lastError().text()));
        }
        while (query.next()) {
            rows.append(QStringList());
            for (int i = 0; i < query.record().count(); ++i)
                rows.last() << (query.value(i).isNull() ? QString() : query.value(i).toString());
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// A URI naming another database on the same server.
QString withDatabase(const QString& uri, const QString& database) {
    QUrl url(uri);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

} // namespace

void createDatabase(const QString& path) {
    run(path, schemaStatements(Dialect::SQLite));
}

TestArchive::TestArchive() {
    configHome();
    QDir().mkpath(archives());
    QDir().mkpath(programs());
    createDatabase(templatePath());
    QFile::copy(templatePath(), yearPath());
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN");
    settings.setValue(QStringLiteral("PERCORSOARCHIVI"), archives());
    settings.setValue(QStringLiteral("PERCORSOPROGRAMMI"), programs());
    serverBase_ = qEnvironmentVariable("QUADROSX_TEST_SERVER");
    if (serverBase_.isEmpty())
        return;
    const QString name = QStringLiteral("sx") + QUuid::createUuid().toString(QUuid::Id128);
    run({}, {QStringLiteral("CREATE DATABASE ") + name}, {}, serverBase_);
    server_ = withDatabase(serverBase_, name);
    settings.setValue(QStringLiteral("SERVERARCHIVI"), server_);
    try {
        openYearDatabase({}, server_);
    } catch (const DatabaseError& error) {
        qFatal("%s", qPrintable(error.description));
    }
}

TestArchive::~TestArchive() {
    removeSettings();
    if (server_.isEmpty())
        return;
    try {
        run({}, {QStringLiteral("DROP DATABASE ") + QUrl(server_).path().mid(1) + " WITH (FORCE)"},
            {}, serverBase_);
    } catch (const std::exception& error) {
        qWarning("The test database %s stays: %s", qPrintable(server_), error.what());
    }
}

void TestArchive::removeSettings() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN").clear();
}

QList<QStringList> TestArchive::rows(const QString& sql, const QVariantList& values) {
    return run(yearPath(), {sql}, values, server_);
}

void TestArchive::addDeclarant(const QVariant& codazi, const QVariant& cfd, const QVariant& fr1,
                               const QVariant& fr2, const QVariant& fr3, const QVariant& fr14) {
    exec(QStringLiteral("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_1, FR_2, FR_3, fr_14) "
                        "VALUES (?, ?, ?, ?, ?, ?)"),
         {codazi, cfd, fr1, fr2, fr3, fr14});
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList runOnFile(const QString& path, const QString& sql, const QList<QVariantList>& values) {
    QStringList rows;
    for (const QVariantList& row : values)
        for (const QStringList& fields : run(path, {sql}, row)) {
            QString line;
            for (const QString& field : fields)
                line += (field.isNull() ? "|N" : "|T") + field;
            rows << line;
        }
    rows.sort();
    return rows;
}

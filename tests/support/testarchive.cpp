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

// A URI naming another database on the same server.
QString withDatabase(const QString& uri, const QString& database) {
    QUrl url(uri);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

class Connection {
  public:
    explicit Connection(const QString& path, const QString& server = {})
        : name_(QUuid::createUuid().toString()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            server.isEmpty() ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name_);
        db.setDatabaseName(path);
        if (!server.isEmpty())
            parseServerUri(server).applyTo(db);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
    }
    ~Connection() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlQuery run(const QString& sql, const QVariantList& values) {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        // A server prepares only queries and row changes: anything else runs as it is.
        const bool ran = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!ran || (!values.isEmpty() && !query.exec()))
            throw std::runtime_error(query.lastError().text().toStdString());
        return query;
    }

  private:
    QString name_;
};

} // namespace

TestArchive::TestArchive() {
    configHome();
    QDir().mkpath(archives());
    QDir().mkpath(programs());
    createDatabase(templatePath());
    QFile::copy(templatePath(), yearPath());
    serverBase_ = qEnvironmentVariable("QUADROSX_TEST_SERVER");
    if (!serverBase_.isEmpty()) {
        const QString name = QStringLiteral("sx") + QUuid::createUuid().toString(QUuid::Id128);
        Connection({}, serverBase_).run(QStringLiteral("CREATE DATABASE ") + name, {});
        server_ = withDatabase(serverBase_, name);
        try {
            openYearDatabase({}, server_);
        } catch (const DatabaseError& error) {
            qFatal("%s", qPrintable(error.description));
        }
    }
    writeSettings(archives(), programs());
}

TestArchive::~TestArchive() {
    removeSettings();
    if (server_.isEmpty())
        return;
    try {
        Connection({}, serverBase_)
            .run(QStringLiteral("DROP DATABASE ") + QUrl(server_).path().mid(1) +
                     QStringLiteral(" WITH (FORCE)"),
                 {});
    } catch (const std::exception& error) {
        qWarning("The test database %s stays: %s", qPrintable(server_), error.what());
    }
}

void TestArchive::writeSettings(const QString& archives, const QString& programs) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TARVESSI"),
                       QStringLiteral("ZAVIRTEN"));
    settings.setValue(QStringLiteral("PERCORSOARCHIVI"), archives);
    settings.setValue(QStringLiteral("PERCORSOPROGRAMMI"), programs);
    if (!server_.isEmpty())
        settings.setValue(QStringLiteral("SERVERARCHIVI"), server_);
}

void TestArchive::removeSettings() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TARVESSI"),
                       QStringLiteral("ZAVIRTEN"));
    settings.clear();
}

void TestArchive::createDatabase(const QString& path) {
    QFile schema(qEnvironmentVariable("QUADROSX_SOURCE_DIR") + QStringLiteral("/data/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("data/schema.sql not found: set QUADROSX_SOURCE_DIR");
    Connection connection(path);
    QString text = QString::fromUtf8(schema.readAll());
    QString withoutComments;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            withoutComments += line + QLatin1Char('\n');
    for (const QString& statement : withoutComments.split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty())
            connection.run(statement, {});
}

void TestArchive::exec(const QString& sql, const QVariantList& values) {
    Connection(yearPath(), server_).run(sql, values);
}

QList<QStringList> TestArchive::rows(const QString& sql, const QVariantList& values) {
    Connection connection(yearPath(), server_);
    QSqlQuery query = connection.run(sql, values);
    QList<QStringList> result;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.value(i).isNull() ? QString() : query.value(i).toString());
        result << row;
    }
    return result;
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

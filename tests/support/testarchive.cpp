#include "testarchive.h"

#include "data/serverconnection.h"
#include "data/yeardatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
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

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
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

QHash<QString, qint64> storings(TestArchive& archive, qint64 markedFrom) {
    QHash<QString, qint64> found;
    QHash<QString, int> rows;
    static const QRegularExpression stored(QStringLiteral("^([1-9]\\d*),00$"));
    for (const QStringList& row : archive.rows(QStringLiteral(
             "SELECT f.CODAZI, f.FR_46, q.SEQ, q.SX_1, q.SX_2, q.SX_3, q.SX_4, q.SX_5, q.SX_6, "
             "q.SX_7 FROM FRONTESPIZIO f LEFT JOIN QUADROSX q ON q.CODAZI = f.CODAZI"))) {
        const QString company = row.at(0);
        qint64& storing = found.insert(company, found.value(company, -1)).value();
        for (int j = row.at(2) == QLatin1String("001") ? 3 : 4; !row.at(2).isNull() && j < 10;
             ++j) {
            const QRegularExpressionMatch m = stored.match(row.at(j));
            const qint64 g = row.at(j) == QLatin1String("0") ? 0
                             : m.hasMatch()                  ? m.captured(1).toLongLong()
                                                             : -2;
            if (g < 0 || (storing != -1 && g != storing))
                qFatal("%s: a mix of storings: %s", qPrintable(company), qPrintable(row.join('|')));
            storing = g;
        }
        rows[company] += row.at(2).isNull() ? 0 : 1;
        if (row.at(1) != (storing >= markedFrom ? QStringLiteral("1") : QString()))
            qFatal("%s: FR_46 '%s' with storing %lld", qPrintable(company), qPrintable(row.at(1)),
                   storing);
    }
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        if (it.value() != 0 && it.value() != 31)
            qFatal("%s has %d rows", qPrintable(it.key()), it.value());
    return found;
}

void checkAfterStorer(TestArchive& archive, const QByteArray& said, StorerRuns& runs) {
    const qint64 first = runs.next;
    QHash<QString, qint64> done;
    qint64 begun = -1;
    QString company;
    for (const QByteArray& line : said.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 3)
            continue;
        const qint64 n = words.at(1).toLongLong();
        runs.next = std::max(runs.next, n + 1);
        company = QString::fromLatin1(words.at(2));
        begun = words.at(0) == "begin" ? n : -1;
        if (begun == -1)
            done[company] = n;
    }
    const QHash<QString, qint64> found = storings(archive, first);
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        const qint64 before = done.value(it.key(), runs.known.value(it.key(), -1));
        QVERIFY2(it.value() == before || (before == -1 && it.value() == 0) ||
                     (it.key() == company && it.value() == begun),
                 qPrintable(QStringLiteral("%1 holds storing %2").arg(it.key()).arg(it.value())));
    }
    runs.known = found;
    runs.during += begun > 0;
}

ProcessRun runProcess(const QStringList& command, const QProcessEnvironment& environment,
                      const std::function<void(QProcess&)>& meanwhile) {
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(command.first(), command.mid(1));
    if (meanwhile && process.waitForStarted())
        meanwhile(process);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), timer.elapsed()};
}

#include "data/serverconnection.h"

#include "data/databaseerror.h"
#include "data/failurewords.h"

#ifndef QUADROSX_NO_SERVER
#include <libpq-fe.h>
#endif
#include <QSqlDriver>

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

// A server that does not answer is given up after this many seconds, unless the URI says.
constexpr int connectTimeoutSeconds = 5;

// The address as a message may show it: without a password, wherever it was written.
QString withoutPassword(const QString& uri) {
    QUrl url(uri, QUrl::TolerantMode);
    if (!url.isValid())
        return QStringLiteral("...");
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("password"));
    url.setQuery(query);
    return url.toString(QUrl::RemovePassword);
}

[[noreturn]] void refuse(const QString& uri, const QString& why) {
    throw DatabaseError{
        DatabaseErrors::BadServerAddress,
        QStringLiteral("Indirizzo del server non valido '%1': %2").arg(withoutPassword(uri), why)};
}

QString libpqValue(QString value) {
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

ServerConnection parseServerUri(const QString& uri) {
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() ||
        (url.scheme() != QLatin1String("postgresql") && url.scheme() != QLatin1String("postgres")))
        refuse(uri, QStringLiteral("si attende postgresql://utente@host:porta/database"));
    if (!url.password().isEmpty())
        refuse(uri, QStringLiteral("la password va nel file delle password di PostgreSQL "
                                   "(~/.pgpass), non nell'impostazione"));
    ServerConnection connection;
    connection.host = url.host();
    connection.port = url.port();
    connection.databaseName = url.path(QUrl::FullyDecoded).mid(1);
    connection.user = url.userName(QUrl::FullyDecoded);
    connection.options << QStringLiteral("application_name=quadrosx");
    bool timeoutGiven = false;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("password"))
            refuse(uri, QStringLiteral("la password non va nell'impostazione"));
        if (key.isEmpty() || !key.contains(QRegularExpression(QStringLiteral("^[a-z_]+$"))))
            refuse(uri, QStringLiteral("parametro '%1' sconosciuto").arg(key));
        timeoutGiven = timeoutGiven || key == QLatin1String("connect_timeout");
        connection.options << key + QLatin1Char('=') + libpqValue(value);
    }
    if (!timeoutGiven)
        connection.options << QStringLiteral("connect_timeout=%1").arg(connectTimeoutSeconds);
    return connection;
}

void ServerConnection::applyTo(QSqlDatabase& db) const {
    db.setHostName(host);
    db.setPort(port);
    db.setDatabaseName(databaseName);
    db.setUserName(user);
    // The driver joins the options with blanks into the libpq connection string.
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

bool serverDatabasesBuiltIn() {
#ifdef QUADROSX_NO_SERVER
    return false;
#else
    return true;
#endif
}

void serverConnectionLost(const QSqlDatabase& db) {
#ifdef QUADROSX_NO_SERVER
    // No connection to a server is ever made without the client library.
    Q_UNUSED(db);
#else
    const QVariant handle = db.driver()->handle();
    // The driver names the type after the struct behind libpq's typedef.
    if (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0)
        return;
    PGconn* connection = *static_cast<PGconn* const*>(handle.data());
    if (!connection || PQstatus(connection) == CONNECTION_OK)
        return;
    throw DatabaseError{
        DatabaseErrors::ConnectionLost,
        FailureWords::described(QString::fromUtf8(FailureWords::connectionLost),
                                QString::fromLocal8Bit(PQerrorMessage(connection)).trimmed())};
#endif
}

#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The parts of a PostgreSQL connection URI ("postgresql://user@host:port/dbname?key=value"),
// as the QtSql driver takes them. Every parameter after "?" (sslmode, host for a socket folder,
// application_name ...) goes to libpq unchanged; the password never comes from here: libpq reads
// it from ~/.pgpass (or PGPASSFILE) or PGPASSWORD.
struct ServerConnection {
    QString host;
    int port = -1;
    QString databaseName;
    QString user;
    QStringList options; // key='value' pairs for libpq

    void applyTo(QSqlDatabase& db) const;
};

// Throws DatabaseError for a text that is not such a URI or that carries a password.
ServerConnection parseServerUri(const QString& uri);

// False in a build without PostgreSQL's client library (the Windows build): there a
// SERVERARCHIVI setting is refused before anything is touched.
bool serverDatabasesBuiltIn();

// Once the server has gone, the driver refuses every statement without a word of why: this
// throws DatabaseError with what the client library last heard, when the connection is lost.
void serverConnectionLost(const QSqlDatabase& db);

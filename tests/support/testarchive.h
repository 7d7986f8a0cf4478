#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A suite environment of its own for one test: settings, an archives folder with the
// template, and the year's database. Nothing of the user's is touched.
class TestArchive {
  public:
    TestArchive();
    ~TestArchive();

    QString archives() const { return dir_.path() + QStringLiteral("/archivi"); }
    QString programs() const { return dir_.path() + QStringLiteral("/programmi"); }
    QString templatePath() const { return archives() + QStringLiteral("/S774XXXX.MDB"); }
    QString yearPath() const { return archives() + QStringLiteral("/S7702004.MDB"); }

    // The URI of the year's database on the test server (QUADROSX_TEST_SERVER names the
    // server); empty when it is the file.
    QString server() const { return server_; }
    void removeSettings();

    // Runs a statement on the year's database, values bound in order; a null QVariant is Null.
    void exec(const QString& sql, const QVariantList& values = {}) { rows(sql, values); }
    // Rows of a query as lists of texts, Null as a null QString.
    QList<QStringList> rows(const QString& sql, const QVariantList& values = {});
    void addDeclarant(const QVariant& codazi, const QVariant& cfd, const QVariant& fr1,
                      const QVariant& fr2, const QVariant& fr3, const QVariant& fr14);

  private:
    QTemporaryDir dir_;
    QString serverBase_;
    QString server_;
};

QByteArray fileBytes(const QString& path);
// Runs a statement on a database file once per list of values; returns the rows read, sorted,
// each field with a mark telling Null (|N) from text (|T).
QStringList runOnFile(const QString& path, const QString& sql,
                      const QList<QVariantList>& values = {{}});
// Makes a database file with the program's tables.
void createDatabase(const QString& path);

#pragma once

#include <functional>
#include <QHash>
#include <QProcess>
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
bool writeFile(const QString& path, const QByteArray& bytes); // the whole file, anew
// Runs a statement on a database file once per list of values; returns the rows read, sorted,
// each field with a mark telling Null (|N) from text (|T).
QStringList runOnFile(const QString& path, const QString& sql,
                      const QList<QVariantList>& values = {{}});
// Makes a database file with the program's tables.
void createDatabase(const QString& path);

// The storing each declarant's schedule comes from, as storers write it (every amount "n,00" in
// storing n): 0 the rows of its first opening, -1 no rows. Fails (qFatal) when a schedule holds
// other than 31 rows or a mix of storings, or when its front-page indicator is not "1" exactly
// for the storings from `markedFrom` on.
QHash<QString, qint64> storings(TestArchive& archive, qint64 markedFrom = 1);

// Storer processes run one after another, each ended at any moment.
struct StorerRuns {
    qint64 next = 1;              // the storing the next storer starts with
    QHash<QString, qint64> known; // what the schedules held when the last storer ended
    int during = 0;               // how many ended during a storing
};
// Checks the schedules after a storer that started at `runs.next` ended, from what it said
// ("begin <n> <company>", "done <n> <company>"): each as its last storing done left it, or as
// before it, or with the storing under way whole. Then moves `runs` past it.
void checkAfterStorer(TestArchive& archive, const QByteArray& said, StorerRuns& runs);

// A program run to its end: its exit code (-1 when it crashed), what it wrote, how long it took.
struct ProcessRun {
    int status = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};
// Runs `command` (the program, then its arguments); `meanwhile` acts on it once it started.
ProcessRun
runProcess(const QStringList& command,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
           const std::function<void(QProcess&)>& meanwhile = {});

#include "data/database.h"
#include "testarchive.h"

#include <optional>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

// A storing killed at any moment leaves every schedule as one single storing wrote it: all its
// 31 rows and its front-page indicator, never a mix of two storings.

namespace {

constexpr int kills = 200;
constexpr int shortestDelayMs = 5;
constexpr int longestDelayMs = 60;
constexpr int waitMs = 60000;

// A declarant and the storing its schedule showed at the last look: -1 no rows yet, 0 the rows
// made at its first opening, n the storing n (every amount "n,00").
struct Declarant {
    QString company;
    QString taxCode; // the 16-character form the rows are written with
    qint64 generation = -1;
};

// What a storer wrote on its output before it ended.
struct Transcript {
    bool ready = false;
    QHash<QString, qint64> lastDone; // company -> its last storing completed
    qint64 lastBegun = 0;
    // The storing under way at the end: "begin" without its "done".
    std::optional<std::pair<qint64, QString>> unfinished;
    int completed = 0;
};

Transcript readTranscript(const QByteArray& output) {
    Transcript t;
    static const QRegularExpression line(QStringLiteral("^(begin|done) (\\d+) (\\S+)$"));
    for (const QByteArray& raw : output.split('\n')) {
        const QString text = QString::fromLatin1(raw);
        t.ready = t.ready || text == QLatin1String("ready");
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            continue;
        const qint64 generation = m.captured(2).toLongLong();
        if (m.captured(1) == QLatin1String("begin")) {
            t.unfinished = std::make_pair(generation, m.captured(3));
            t.lastBegun = generation;
        } else {
            t.lastDone[m.captured(3)] = generation;
            t.unfinished.reset();
            ++t.completed;
        }
    }
    return t;
}

// The storing an amount text belongs to: "0" from the first opening, "n,00" from storing n;
// -2 for anything else.
qint64 generationOf(const QString& amount) {
    if (amount == QLatin1String("0"))
        return 0;
    static const QRegularExpression stored(QStringLiteral("^([1-9]\\d*),00$"));
    const QRegularExpressionMatch m = stored.match(amount);
    return m.hasMatch() ? m.captured(1).toLongLong() : -2;
}

QStringList files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

    quint32 seed_ = 0;
    std::unique_ptr<TestArchive> archive_;
    QList<Declarant> declarants_;
    qint64 nextGeneration_ = 1;

    QString journal() const { return archive_->yearPath() + QStringLiteral("-journal"); }

    // Starts a storer at the next generation and waits until it lists the declarants.
    void startStorer(QProcess& storer, const QStringList& more = {}) {
        storer.start(QStringLiteral(SXSTORER),
                     QStringList{archive_->archives(), QString::number(nextGeneration_)} + more);
        QVERIFY2(storer.waitForStarted(waitMs), qPrintable(storer.errorString()));
        while (!storer.peek(storer.bytesAvailable()).contains("ready\n"))
            QVERIFY2(storer.state() == QProcess::Running && storer.waitForReadyRead(waitMs),
                     storer.readAllStandardError().constData());
    }
    // The generation of each declarant's schedule as the file holds it, checking on the way
    // that the file is sound and that every schedule is one storing's whole work.
    void look(Database& db, QHash<QString, qint64>& found, QHash<QString, QString>& indicator);
    // Checks the file after a storer ended with the given transcript; `runStart` is the first
    // storing of that run.
    void checkAfter(const Transcript& t, qint64 runStart, int kill, int& committed,
                    int& notCommitted);

  private slots:
    void initTestCase() {
        bool fixed = false;
        seed_ = qEnvironmentVariable("QUADROSX_SEED").toUInt(&fixed);
        if (!fixed)
            seed_ = QRandomGenerator::system()->generate();
        qInfo("seed %u (QUADROSX_SEED=%u repeats the same delays)", seed_, seed_);
    }
    void cleanup() { archive_.reset(); }

    void killedStoringsLeaveWholeSchedules_data();
    void killedStoringsLeaveWholeSchedules();
};

void TestCrashSafety::look(Database& db, QHash<QString, qint64>& found,
                           QHash<QString, QString>& indicator) {
    QSqlQuery integrity(db.connection());
    QVERIFY(integrity.exec(QStringLiteral("PRAGMA integrity_check")) && integrity.next());
    QCOMPARE(integrity.value(0).toString(), QStringLiteral("ok"));
    integrity.finish();
    for (const Declarant& d : std::as_const(declarants_)) {
        QSqlQuery rows(db.connection());
        rows.prepare(QStringLiteral("SELECT SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, "
                                    "SX_9, SX_10 FROM QUADROSX WHERE CODAZI = ? AND CFD = ? "
                                    "ORDER BY SEQ"));
        rows.addBindValue(d.company);
        rows.addBindValue(d.taxCode);
        QVERIFY(rows.exec());
        QSet<QString> amounts;
        QStringList keys;
        while (rows.next()) {
            const QString seq = rows.value(0).toString();
            keys << seq;
            for (int j = seq == QLatin1String("001") ? 1 : 2; j <= 7; ++j)
                amounts << rows.value(j).toString();
            for (int j = 8; seq == QLatin1String("001") && j <= 10; ++j)
                QCOMPARE(rows.value(j).toString(), QStringLiteral("0")); // no flag ever ticked
        }
        const QString seen = QStringLiteral("declarant %1: %2 rows, amounts %3")
                                 .arg(d.company)
                                 .arg(keys.size())
                                 .arg(QStringList(amounts.values()).join(QLatin1Char('|')));
        QVERIFY2(keys.isEmpty() || (keys.size() == 31 && amounts.size() == 1), qPrintable(seen));
        found[d.company] = keys.isEmpty() ? -1 : generationOf(*amounts.cbegin());
        QVERIFY2(found[d.company] != -2, qPrintable(seen));

        QSqlQuery front(db.connection());
        front.prepare(QStringLiteral("SELECT FR_46 FROM FRONTESPIZIO WHERE CODAZI = ?"));
        front.addBindValue(d.company);
        QVERIFY(front.exec() && front.next());
        indicator[d.company] = front.value(0).toString();
    }
}

void TestCrashSafety::checkAfter(const Transcript& t, qint64 runStart, int kill, int& committed,
                                 int& notCommitted) {
    QHash<QString, qint64> found;
    QHash<QString, QString> indicator;
    {
        Database db(archive_->yearPath());
        look(db, found, indicator);
    }
    if (QTest::currentTestFailed())
        return;
    for (Declarant& d : declarants_) {
        // What the file may hold: the last storing completed (or what was there before the
        // run, or the rows of a first opening), or the storing under way at the kill.
        const qint64 before = t.lastDone.value(d.company, d.generation);
        QSet<qint64> allowed{before};
        if (before == -1)
            allowed << 0;
        const bool interrupted = t.unfinished && t.unfinished->second == d.company;
        if (interrupted) // begun after the opening had made the rows
            allowed = {before == -1 ? 0 : before, t.unfinished->first};
        const qint64 generation = found.value(d.company);
        QVERIFY2(allowed.contains(generation),
                 qPrintable(QStringLiteral("kill %1, declarant %2 holds storing %3")
                                .arg(kill)
                                .arg(d.company)
                                .arg(generation)));
        if (interrupted)
            ++(generation == t.unfinished->first ? committed : notCommitted);
        // The indicator was "0" when the run began: "1" exactly when this run stored.
        QCOMPARE(indicator.value(d.company),
                 generation >= runStart ? QStringLiteral("1") : QStringLiteral("0"));
        d.generation = generation;
    }
}

void TestCrashSafety::killedStoringsLeaveWholeSchedules_data() {
    QTest::addColumn<QList<QStringList>>("people"); // company code, tax code as on the front page
    QTest::newRow("two people and a company with an 11-character tax code") << QList<QStringList>{
        {"001", "RSSMRA80A01H501U"}, {"002", "01234567890"}, {"003", "BNCLCU75C41F205X"}};
}

void TestCrashSafety::killedStoringsLeaveWholeSchedules() {
    QFETCH(QList<QStringList>, people);
    archive_ = std::make_unique<TestArchive>();
    declarants_.clear();
    nextGeneration_ = 1;
    for (const QStringList& d : people) {
        archive_->addDeclarant(d.at(0), d.at(1), "COGNOME", "NOME", "DITTA", "M");
        declarants_.append({d.at(0), d.at(1).leftJustified(16, QLatin1Char(' ')), -1});
    }
    const QString folder = archive_->archives();
    const QStringList filesBefore = files(folder);
    QRandomGenerator random(seed_);
    int between = 0, committed = 0, notCommitted = 0, hotJournals = 0, coldJournals = 0;
    int storings = 0;
    QElapsedTimer clock;
    clock.start();

    for (int kill = 1; kill <= kills; ++kill) {
        archive_->exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = '0'"));
        const qint64 runStart = nextGeneration_;
        QProcess storer;
        startStorer(storer);
        if (QTest::currentTestFailed())
            return;
        QThread::msleep(random.bounded(shortestDelayMs, longestDelayMs + 1));
        storer.kill();
        QVERIFY(storer.waitForFinished(waitMs));
        QVERIFY2(storer.exitStatus() == QProcess::CrashExit,
                 storer.readAllStandardError().constData());
        const Transcript t = readTranscript(storer.readAllStandardOutput());
        QVERIFY(t.ready);
        storings += t.completed;
        nextGeneration_ = std::max(nextGeneration_, t.lastBegun + 1);
        const bool journalBefore = QFileInfo::exists(journal());

        checkAfter(t, runStart, kill, committed, notCommitted);
        if (QTest::currentTestFailed())
            return;
        between += t.unfinished ? 0 : 1;
        // A journal the opening did not need to roll back stays until the next storing.
        if (QFileInfo::exists(journal()))
            ++coldJournals;
        else if (journalBefore)
            ++hotJournals;
        QStringList left = files(folder);
        left.removeOne(QFileInfo(journal()).fileName());
        QCOMPARE(left, filesBefore);
    }
    qInfo("%d kills in %.0f s: %d between storings, %d during a storing (%d after its commit, "
          "%d before it); %d journals rolled back on opening, %d journals not needed left "
          "behind; %d storings completed",
          kills, clock.elapsed() / 1000.0, between, committed + notCommitted, committed,
          notCommitted, hotJournals, coldJournals, storings);
    QCOMPARE(between + committed + notCommitted, kills);

    // Once more, without a kill: one storing for each declarant, to the end.
    archive_->exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = '0'"));
    const qint64 runStart = nextGeneration_;
    QProcess storer;
    startStorer(storer, {QString::number(declarants_.size())});
    QVERIFY(storer.waitForFinished(waitMs));
    QVERIFY2(storer.exitStatus() == QProcess::NormalExit && storer.exitCode() == 0,
             storer.readAllStandardError().constData());
    const Transcript t = readTranscript(storer.readAllStandardOutput());
    QCOMPARE(t.completed, int(declarants_.size()));
    checkAfter(t, runStart, kills + 1, committed, notCommitted);
    for (const Declarant& d : std::as_const(declarants_))
        QVERIFY(d.generation >= runStart);
    QCOMPARE(files(folder), filesBefore);
}

QTEST_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"

#include "windowharness.h"

#include <atomic>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

// Another program of the suite holding the year's database locked: a short lock is waited for,
// a long one ends the run through the error report with nothing written.

class TestLocks : public QObject {
    Q_OBJECT

  private slots:
    void aLockIsWaitedForUpToItsLimit_data() {
        QTest::addColumn<bool>("storing"); // pressing "Memorizza", else a first opening
        QTest::addColumn<int>("holdMs");
        QTest::newRow("storing, lock held for 2 s") << true << 2000;
        QTest::newRow("storing, lock held past the wait") << true << 60000;
        QTest::newRow("first opening, lock held for 2 s") << false << 2000;
    }
    void aLockIsWaitedForUpToItsLimit() {
        QFETCH(bool, storing);
        QFETCH(int, holdMs);
        WindowHarness h;
        h.archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
        h.start();
        if (storing) {
            h.open("001");
            h.typeBoxes(1, {"100", "", "", "100"});
        }
        const QByteArray before = fileBytes(h.archive.yearPath());
        const bool waitedOut = holdMs < 5000;
        if (!waitedOut)
            h.boxes.answer({MessageBoxes::Ok});
        // Another connection holds the file locked for holdMs, or until the window is back.
        std::atomic<bool> locked{false}, released{false};
        const std::unique_ptr<QThread> locker(QThread::create([&] {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "locker");
                db.setDatabaseName(h.archive.yearPath());
                QSqlQuery query(db);
                QElapsedTimer held;
                held.start();
                const bool ok = db.open() && query.exec("BEGIN EXCLUSIVE");
                locked = true;
                while (ok && !released && held.elapsed() < holdMs)
                    QThread::msleep(5);
                query.exec("ROLLBACK");
            }
            QSqlDatabase::removeDatabase("locker");
        }));
        locker->start();
        while (!locked)
            QThread::yieldCurrentThread();
        QElapsedTimer waited;
        waited.start();
        if (storing)
            h.click(h.window->cmdmemorizza);
        else
            h.open("001");
        const qint64 waitedMs = waited.elapsed();
        qInfo("the window was back after %lld ms", waitedMs);
        released = true;
        locker->wait();
        if (waitedOut) {
            QVERIFY(h.boxes.boxes.isEmpty() && h.platform.endings.isEmpty());
            const auto rows = h.archive.rows("SELECT SX_1 FROM QUADROSX ORDER BY SEQ");
            QCOMPARE(rows.size(), 31);
            QCOMPARE(rows.first().first(),
                     storing ? QStringLiteral("100,00") : QStringLiteral("0"));
            return;
        }
        QCOMPARE(h.boxes.texts(), QStringList{"Errore n. 5\r\rDatabase bloccato da un altro "
                                              "programma: database is locked Unable to fetch row"});
        QVERIFY(waitedMs >= 5000);
        QCOMPARE(h.platform.endings, QList<int>{1});
        QCOMPARE(fileBytes(h.archive.yearPath()), before);
    }
};

QTEST_MAIN(TestLocks)
#include "tst_locks.moc"

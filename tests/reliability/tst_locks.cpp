#include "windowharness.h"

#include <atomic>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <thread>

// Another program of the suite holding the year's database locked: a short lock is waited for,
// a long one ends the run through the error report with nothing written.

namespace {

// Holds an exclusive lock on the file through a connection of its own, for `holdMs` or until
// it is destroyed.
class Locker {
  public:
    Locker(const QString& path, int holdMs)
        : thread_([this, path, holdMs] { hold(path, holdMs); }) {
        while (!locked_)
            std::this_thread::yield();
    }
    ~Locker() {
        released_ = true;
        thread_.join();
    }

  private:
    void hold(const QString& path, int holdMs) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
            db.setDatabaseName(path);
            QSqlQuery query(db);
            const bool ok = db.open() && query.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            locked_ = true;
            QElapsedTimer held;
            held.start();
            while (ok && !released_ && held.elapsed() < holdMs)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            query.exec(QStringLiteral("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase("locker");
    }
    std::atomic<bool> locked_{false};
    std::atomic<bool> released_{false};
    std::thread thread_;
};

} // namespace

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
        qint64 waitedMs = 0;
        {
            const Locker locker(h.archive.yearPath(), holdMs);
            QElapsedTimer waited;
            waited.start();
            if (storing)
                h.click(h.window->cmdmemorizza);
            else
                h.open("001");
            waitedMs = waited.elapsed();
            qInfo("the window was back after %lld ms", waitedMs);
        }
        if (waitedOut) {
            QVERIFY(h.boxes.boxes.isEmpty() && h.platform.endings.isEmpty());
            QCOMPARE(h.storedSchedule("001", "RSSMRA80A01H501U").size(), 31);
            QCOMPARE(h.storedSchedule("001", "RSSMRA80A01H501U").first().at(1),
                     storing ? QStringLiteral("100,00") : QStringLiteral("0"));
            return;
        }
        QCOMPARE(h.boxes.boxes.size(), 1);
        QVERIFY2(h.boxes.boxes.first().text.startsWith("Errore n. 5\r\r") &&
                     h.boxes.boxes.first().text.contains("locked", Qt::CaseInsensitive),
                 qPrintable(h.boxes.boxes.first().text));
        QVERIFY(waitedMs >= 5000);
        QCOMPARE(h.platform.endings, QList<int>{1});
        QCOMPARE(fileBytes(h.archive.yearPath()), before);
    }
};

QTEST_MAIN(TestLocks)
#include "tst_locks.moc"

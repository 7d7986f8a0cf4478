#include "windowharness.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

// Another program of the suite holding the year's database locked: a short lock is waited
// for, a long one ends the run through the error report with nothing written.

namespace {

const QString company = QStringLiteral("001");
const QString taxCode = QStringLiteral("RSSMRA80A01H501U");
constexpr int waitMs = 60000;

QString seq(int i) {
    return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}

// A lock released by its holder after this long, or kept until the test lets it go.
const QString twoSeconds = QStringLiteral("2000");
const QString untilReleased = QStringLiteral("released");

} // namespace

class TestLocks : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QProcess locker;
    QUADROSX* w() { return h->window.get(); }

    void startProgram() {
        h->start();
        QApplication::setActiveWindow(w());
        QVERIFY(QTest::qWaitForWindowActive(w()));
    }
    void lock(const QString& mode, const QString& howLong) {
        locker.start(QStringLiteral(DBLOCKER), {h->archive.yearPath(), mode, howLong});
        QVERIFY2(locker.waitForStarted(waitMs), qPrintable(locker.errorString()));
        QByteArray output;
        while (!output.contains("locked\n")) {
            QVERIFY2(locker.state() == QProcess::Running && locker.waitForReadyRead(waitMs),
                     locker.readAllStandardError().constData());
            output += locker.readAllStandardOutput();
        }
    }
    void unlock() {
        locker.closeWriteChannel();
        QVERIFY(locker.waitForFinished(waitMs));
        QVERIFY2(locker.exitStatus() == QProcess::NormalExit && locker.exitCode() == 0,
                 locker.readAllStandardError().constData());
    }
    // The user's schedule: region row SX5 and the summary boxes agreeing with it.
    void enterSchedule() {
        h->openRegionRow(0);
        h->type(w()->Text1(12), QStringLiteral("300"));
        h->type(w()->Text1(14), QStringLiteral("100"));
        h->boxes.answer({MessageBoxes::No}); // no automatic box 6
        h->click(w()->cmdconferma);
        h->type(w()->Text1(1), QStringLiteral("100"));
        h->type(w()->Text1(2), QStringLiteral("300"));
        h->type(w()->Text1(4), QStringLiteral("100"));
        h->boxes.boxes.clear();
    }
    QList<QStringList> schedule() {
        return h->archive.rows(
            QStringLiteral("SELECT SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, "
                           "SX_10 FROM QUADROSX WHERE CODAZI = ? AND CFD = ? ORDER BY SEQ"),
            {company, taxCode});
    }
    QList<QStringList> everything() {
        return h->archive.rows(QStringLiteral("SELECT rowid, * FROM QUADROSX ORDER BY rowid")) +
               h->archive.rows(QStringLiteral("SELECT rowid, * FROM FRONTESPIZIO ORDER BY rowid"));
    }
    QStringList files() {
        return QDir(h->archive.archives()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant(company, taxCode, "ROSSI", "MARIO", "", "M");
        h->archive.exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = '0'"));
    }
    void cleanup() {
        if (locker.state() != QProcess::NotRunning) {
            locker.kill();
            locker.waitForFinished(waitMs);
        }
        QCOMPARE(h->boxes.unexpected, 0);
        QCOMPARE(h->boxes.pendingAnswers(), 0);
        h.reset();
    }

    void aLockIsWaitedForUpToItsLimit_data();
    void aLockIsWaitedForUpToItsLimit();
};

void TestLocks::aLockIsWaitedForUpToItsLimit_data() {
    QTest::addColumn<bool>("storing"); // pressing "Memorizza", else a first opening
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("howLong");

    for (const char* mode : {"immediate", "exclusive"}) {
        QTest::addRow("storing, %s lock for 2 s", mode) << true << mode << twoSeconds;
        QTest::addRow("storing, %s lock past the wait", mode) << true << mode << untilReleased;
    }
    QTest::newRow("first opening, exclusive lock for 2 s") << false << "exclusive" << twoSeconds;
    QTest::newRow("first opening, exclusive lock past the wait")
        << false << "exclusive" << untilReleased;
}

void TestLocks::aLockIsWaitedForUpToItsLimit() {
    QFETCH(bool, storing);
    QFETCH(QString, mode);
    QFETCH(QString, howLong);
    const bool waitedOut = howLong == twoSeconds;

    startProgram();
    if (storing) {
        h->open(company);
        enterSchedule();
    }
    const QList<QStringList> before = everything();
    const QByteArray bytes = fileBytes(h->archive.yearPath());
    const QStringList filesBefore = files();
    if (!waitedOut)
        h->boxes.answer({MessageBoxes::Ok});

    lock(mode, howLong);
    QElapsedTimer waited;
    waited.start();
    if (storing)
        h->click(w()->cmdmemorizza);
    else
        h->open(company);
    qInfo("the window was back after %lld ms", waited.elapsed());
    unlock();

    if (waitedOut) {
        QVERIFY(h->boxes.boxes.isEmpty());
        QVERIFY(h->platform.endings.isEmpty());
        QList<QStringList> expected;
        const QStringList zeros(10, QStringLiteral("0"));
        const QString z = QStringLiteral("0,00");
        if (storing) {
            expected << QStringList{seq(1), "100,00", "300,00", z, "100,00", z, z, z, "0", "0", "0"}
                     << QStringList{seq(2), "0", "300,00", z, "100,00", z, z, z, "0", "0", "0"};
            for (int i = 3; i <= 31; ++i)
                expected << QStringList{seq(i)} + zeros;
        } else {
            for (int i = 1; i <= 31; ++i)
                expected << QStringList{seq(i)} + zeros;
        }
        QCOMPARE(schedule(), expected);
        const auto front = h->archive.rows(QStringLiteral("SELECT FR_46 FROM FRONTESPIZIO"));
        QCOMPARE(front, (QList<QStringList>{{storing ? "1" : "0"}}));
        QVERIFY(w()->Frmmoduli(0)->isVisible());
        QCOMPARE(w()->mod().FLAGVARIAZIONI, qint16(0));
    } else {
        QCOMPARE(h->boxes.boxes.size(), 1);
        const auto& report = h->boxes.boxes.first();
        QVERIFY2(report.text.startsWith(QStringLiteral("Errore n. 5") + CR() + CR()) &&
                     report.text.contains(QStringLiteral("locked"), Qt::CaseInsensitive),
                 qPrintable(report.text));
        QCOMPARE(report.style, MessageBoxes::OkOnly + MessageBoxes::Critical);
        QCOMPARE(h->platform.endings, QList<int>{1});
        QVERIFY(w()->ended());
        QCOMPARE(everything(), before);
        QCOMPARE(fileBytes(h->archive.yearPath()), bytes);
    }
    QCOMPARE(files(), filesBefore);
}

QTEST_MAIN(TestLocks)
#include "tst_locks.moc"

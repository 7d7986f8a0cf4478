#include "windowharness.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

// A storing killed with SIGKILL at any moment leaves every schedule as one single storing wrote
// it: its 31 rows and its front-page indicator, never a mix of two storings.

namespace {

constexpr int kills = 200;
constexpr int waitMs = 60000;
const QStringList taxCodes{"RSSMRA80A01H501U", "01234567890     ", "BNCLCU75C41F205X"};

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

  private slots:
    void killedStoringsLeaveWholeSchedules() {
        bool fixed = false;
        quint32 seed = qEnvironmentVariable("QUADROSX_SEED").toUInt(&fixed);
        seed = fixed ? seed : QRandomGenerator::system()->generate();
        qInfo("seed %u (QUADROSX_SEED repeats the same delays)", seed);
        QRandomGenerator random(seed);
        TestArchive archive;
        for (int d = 0; d < 3; ++d)
            archive.addDeclarant(QStringLiteral("00%1").arg(d + 1), taxCodes.at(d).trimmed(),
                                 "COGNOME", "NOME", "DITTA", "M");
        StorerRuns runs;
        for (int kill = 1; kill <= kills; ++kill) {
            archive.exec("UPDATE FRONTESPIZIO SET FR_46 = NULL");
            QProcess storer;
            storer.start(QStringLiteral(SXSTORER),
                         {archive.archives(), QString::number(runs.next)});
            while (!storer.peek(storer.bytesAvailable()).contains("ready\n"))
                QVERIFY2(storer.waitForReadyRead(waitMs),
                         storer.readAllStandardError().constData());
            QThread::msleep(random.bounded(5, 61));
            storer.kill();
            QVERIFY(storer.waitForFinished(waitMs));
            QCOMPARE(archive.rows("PRAGMA integrity_check"), QList<QStringList>{{"ok"}});
            checkAfterStorer(archive, storer.readAllStandardOutput(), runs);
            if (QTest::currentTestFailed())
                return;
        }
        qInfo("%d kills, %d of them during a storing", kills, runs.during);
    }
};

QTEST_MAIN(TestCrashSafety)

#include "tst_crashsafety.moc"

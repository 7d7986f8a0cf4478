#include "windowharness.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

// A damaged year's database ends the run through the error report, and the program neither
// repairs, replaces nor writes anything: the office's file stays as it was.

class TestDamagedFiles : public QObject {
    Q_OBJECT

  private slots:
    void aDamagedDatabaseIsReportedAndLeftAlone_data() {
        QTest::addColumn<int>("kept");    // tenths of the file kept
        QTest::addColumn<int>("noise");   // random bytes written after them
        QTest::addColumn<bool>("listed"); // the list comes up, opening the last declarant fails
        QTest::addColumn<QString>("described");
        QTest::newRow("cut to half its size") << 5 << 0 << false << "malformed";
        QTest::newRow("random bytes") << 0 << 65536 << false << "file is not a database";
        QTest::newRow("last tenth overwritten") << 9 << -1 << true << "malformed";
    }
    void aDamagedDatabaseIsReportedAndLeftAlone() {
        QFETCH(int, kept);
        QFETCH(int, noise);
        QFETCH(bool, listed);
        QFETCH(QString, described);

        WindowHarness h;
        // 300 declarants with their rows, the front pages first in the file.
        const QString numbers = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) ");
        h.archive.exec("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_1, FR_2, fr_14, FR_46) " +
                       numbers +
                       "SELECT printf('%03d', i), 'CF' || i, 'ROSSI', 'MARIO', 'M', '1' "
                       "FROM n");
        h.archive.exec("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, "
                       "SX_6, SX_7, SX_8, SX_9, SX_10) " +
                       numbers +
                       "SELECT printf('%03d', a.i), 'CF' || a.i, printf('%03d', b.i), '0', '1,00', "
                       "'2,00', '3,00', '4,00', '5,00', '6,00', '0', '0', '0' FROM n a, n b "
                       "WHERE b.i <= 31 ORDER BY a.i, b.i");
        const QString path = h.archive.yearPath();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 size = file.size();
        QVERIFY(file.resize(size * kept / 10));
        QByteArray bytes(noise < 0 ? size - file.size() : noise, Qt::Uninitialized);
        QRandomGenerator random(770);
        for (char& c : bytes)
            c = char(random.bounded(256));
        QVERIFY(file.seek(file.size()) && file.write(bytes) == bytes.size());
        file.close();
        const QByteArray before = fileBytes(path);
        const QStringList files = QDir(h.archive.archives()).entryList(QDir::Files | QDir::Hidden);
        h.boxes.answer({MessageBoxes::Ok});

        h.start();
        QCOMPARE(!h.window->ended() && h.window->List1->count() == 300, listed);
        if (listed)
            h.open(QStringLiteral("300"));
        QCOMPARE(h.boxes.boxes.size(), 1);
        const QString report = h.boxes.boxes.first().text;
        qInfo("%s", qPrintable(QString(report).replace('\r', QStringLiteral(" / "))));
        QVERIFY2(report.startsWith(QLatin1String("Errore n. ")) &&
                     report.section("\r\r", 1).contains(described, Qt::CaseInsensitive),
                 qPrintable(report));
        QCOMPARE(h.boxes.boxes.first().style, MessageBoxes::OkOnly + MessageBoxes::Critical);
        QCOMPARE(h.platform.endings, QList<int>{1});
        h.window.reset();
        QCOMPARE(QDir(h.archive.archives()).entryList(QDir::Files | QDir::Hidden), files);
        QVERIFY(fileBytes(path) == before);
    }
};

QTEST_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"

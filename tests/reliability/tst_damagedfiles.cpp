#include "windowharness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

// A damaged year's database, or one that cannot be written, ends the run through the error
// report, which names the cause in Italian; the program neither repairs, replaces nor writes
// anything: the office's file stays as it was.

namespace {

// A file or folder the window cannot write while this lives, even as root.
struct Immutable {
    explicit Immutable(const QString& path)
        : path(path), made(path.isEmpty() || QProcess::execute("chattr", {"+i", path}) == 0) {}
    ~Immutable() {
        if (!path.isEmpty() && made)
            QProcess::execute("chattr", {"-i", path});
    }
    const QString path;
    const bool made; // only root may, on a file system that knows the attribute
};

} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT

  private slots:
    void aDamagedDatabaseIsReportedAndLeftAlone_data() {
        QTest::addColumn<int>("kept");       // tenths of the file kept
        QTest::addColumn<int>("noise");      // random bytes written after them
        QTest::addColumn<QString>("block");  // what keeps the open window from writing
        QTest::addColumn<QString>("report"); // "": the list comes up, opening a declarant fails
        QTest::addColumn<QString>("opened"); // the declarant then opened
        const QString malformed = "Errore n. 11\r\rDatabase danneggiato: database disk image is "
                                  "malformed Unable to ";
        QTest::newRow("cut to half its size") << 5 << 0 << "" << malformed + "execute statement"
                                              << "";
        QTest::newRow("random bytes") << 0 << 65536 << ""
                                      << "Errore n. 26\r\rIl file non è un database: file is not a "
                                         "database Unable to execute statement"
                                      << "";
        QTest::newRow("last tenth overwritten") << 9 << -1 << "" << malformed + "fetch row"
                                                << "300";
        QTest::newRow("read-only file")
            << 10 << 0 << "file"
            << "Errore n. 8\r\rDatabase in sola lettura, impossibile scrivere: attempt to write a "
               "readonly database Unable to fetch row"
            << "301";
        QTest::newRow("disk full") << 10 << 0 << "pages"
                                   << "Errore n. 13\r\rDisco pieno, impossibile scrivere: database "
                                      "or disk is full Unable to fetch row"
                                   << "301";
        QTest::newRow("folder that cannot be written")
            << 10 << 0 << "folder"
            << "Errore n. 14\r\rImpossibile aprire il database: unable to open database file "
               "Unable to fetch row"
            << "301";
    }
    void aDamagedDatabaseIsReportedAndLeftAlone() {
        QFETCH(int, kept);
        QFETCH(int, noise);
        QFETCH(QString, block);
        QFETCH(QString, report);
        QFETCH(QString, opened);

        WindowHarness h;
        // 301 declarants, the last without rows, the front pages first in the file.
        const QString numbers = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 301) ");
        h.archive.exec("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_1, FR_2, fr_14, FR_46) " +
                       numbers +
                       "SELECT printf('%03d', i), 'CF' || i, 'ROSSI', 'MARIO', 'M', '1' "
                       "FROM n");
        h.archive.exec("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, "
                       "SX_6, SX_7, SX_8, SX_9, SX_10) " +
                       numbers +
                       "SELECT printf('%03d', a.i), 'CF' || a.i, printf('%03d', b.i), '0', '1,00', "
                       "'2,00', '3,00', '4,00', '5,00', '6,00', '0', '0', '0' FROM n a, n b "
                       "WHERE a.i <= 300 AND b.i <= 31 ORDER BY a.i, b.i");
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

        {
            const Immutable immutable(block == "file"     ? path
                                      : block == "folder" ? h.archive.archives()
                                                          : QString());
            if (!immutable.made)
                QSKIP("chattr +i is refused here");
            h.start();
            QCOMPARE(!h.window->ended() && h.window->List1->count() == 301, !opened.isEmpty());
            for (const QString& name : QSqlDatabase::connectionNames()) { // the window's too
                QSqlQuery query(QSqlDatabase::database(name));
                if (block == "pages" && query.exec("PRAGMA page_count") && query.next())
                    query.exec("PRAGMA max_page_count = " + query.value(0).toString());
            }
            if (!opened.isEmpty())
                h.open(opened);
        }
        QCOMPARE(h.boxes.texts(), QStringList{report});
        QCOMPARE(h.boxes.boxes.first().style, MessageBoxes::OkOnly + MessageBoxes::Critical);
        QCOMPARE(h.platform.endings, QList<int>{1});
        h.window.reset();
        QCOMPARE(QDir(h.archive.archives()).entryList(QDir::Files | QDir::Hidden), files);
        QVERIFY(fileBytes(path) == before);
    }
};

QTEST_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"

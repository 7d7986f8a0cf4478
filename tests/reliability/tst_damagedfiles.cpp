#include "data/database.h"
#include "windowharness.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QRandomGenerator>
#include <QtTest>

// A damaged year's database ends the run through the error report, and the program neither
// repairs, replaces nor writes anything: the office's file stays as it was for the suite's
// tools or a backup to deal with.

namespace {

constexpr int declarants = 300;

QString companyCode(int i) {
    return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}
QString taxCode(int i) {
    return QStringLiteral("RSSMRA80A01H%1U").arg(i, 3, 10, QLatin1Char('0'));
}

// 300 declarants with their rows. Written in turns, both tables spread over the whole file,
// so any part of it that is lost holds some of each; front pages first, the end of the file
// holds rows alone.
void fill(const QString& path, bool frontPagesFirst) {
    Database db(path);
    Transaction transaction(db);
    const auto addFrontPage = [&db](int i) {
        db.execute(QStringLiteral("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_1, FR_2, FR_3, fr_14, "
                                  "FR_46) VALUES (?, ?, 'ROSSI', 'MARIO', '', 'M', '1')"),
                   {companyCode(i), taxCode(i)});
    };
    if (frontPagesFirst)
        for (int i = 1; i <= declarants; ++i)
            addFrontPage(i);
    for (int i = 1; i <= declarants; ++i) {
        if (!frontPagesFirst)
            addFrontPage(i);
        for (int row = 1; row <= 31; ++row)
            db.execute(QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, "
                                      "SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) VALUES (?, ?, ?, "
                                      "'0', '1,00', '2,00', '3,00', '4,00', '5,00', '6,00', '0', "
                                      "'0', '0')"),
                       {companyCode(i), taxCode(i),
                        QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0'))});
    }
    transaction.commit();
}

enum class Damage { Truncated, RandomBytes, Overwritten, TableDropped };

QByteArray noise(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(770);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

void damage(const QString& path, Damage kind, int size, const QString& table) {
    switch (kind) {
    case Damage::Truncated:
        QVERIFY(QFile::resize(path, size < 0 ? QFileInfo(path).size() * -size / 10 : size));
        break;
    case Damage::RandomBytes: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(noise(size)), qint64(size));
        break;
    }
    case Damage::Overwritten: {
        // Everything past the first -size tenths, the size of the file unchanged.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 kept = file.size() * -size / 10;
        QVERIFY(file.seek(kept));
        QCOMPARE(file.write(noise(file.size() - kept)), file.size() - kept);
        break;
    }
    case Damage::TableDropped: {
        Database db(path);
        db.execute(QStringLiteral("DROP TABLE ") + table);
        break;
    }
    }
}

} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT

  private slots:
    void aDamagedDatabaseIsReportedAndLeftAlone_data();
    void aDamagedDatabaseIsReportedAndLeftAlone();
};

void TestDamagedFiles::aDamagedDatabaseIsReportedAndLeftAlone_data() {
    QTest::addColumn<Damage>("kind");
    QTest::addColumn<bool>("frontPagesFirst");
    QTest::addColumn<int>("size"); // bytes kept or written; -n: the first n tenths kept
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("listed");       // the declarants are listed before the failure
    QTest::addColumn<QString>("described"); // a piece of the report's description

    const QString malformed = QStringLiteral("malformed");
    const QString notADatabase = QStringLiteral("file is not a database");
    QTest::newRow("cut to half its size")
        << Damage::Truncated << false << -5 << "" << false << malformed;
    QTest::newRow("cut short by a tenth")
        << Damage::Truncated << true << -9 << "" << false << malformed;
    QTest::newRow("last tenth overwritten with random bytes")
        << Damage::Overwritten << true << -9 << "" << true << malformed;
    QTest::newRow("cut to its first 100 bytes")
        << Damage::Truncated << false << 100 << "" << false << malformed;
    QTest::newRow("cut to nothing")
        << Damage::Truncated << false << 0 << "" << false << "frontespizio";
    QTest::newRow("random bytes") << Damage::RandomBytes << false << 65536 << "" << false
                                  << notADatabase;
    QTest::newRow("a few random bytes")
        << Damage::RandomBytes << false << 700 << "" << false << notADatabase;
    QTest::newRow("schedule table missing")
        << Damage::TableDropped << false << 0 << "QUADROSX" << false << "QUADROSX";
    QTest::newRow("front-page table missing")
        << Damage::TableDropped << false << 0 << "FRONTESPIZIO" << false << "frontespizio";
}

void TestDamagedFiles::aDamagedDatabaseIsReportedAndLeftAlone() {
    QFETCH(Damage, kind);
    QFETCH(bool, frontPagesFirst);
    QFETCH(int, size);
    QFETCH(QString, table);
    QFETCH(bool, listed);
    QFETCH(QString, described);

    auto h = std::make_unique<WindowHarness>();
    const QString path = h->archive.yearPath();
    fill(path, frontPagesFirst);
    damage(path, kind, size, table);
    if (QTest::currentTestFailed())
        return;
    const QString folder = h->archive.archives();
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const QByteArray bytes = fileBytes(path);
    h->boxes.answer({MessageBoxes::Ok});

    h->start();
    // Where the list came up, the last declarant's rows lie in the damaged part too.
    QCOMPARE(!h->window->ended() && h->window->List1->count() == declarants, listed);
    if (listed)
        h->open(companyCode(declarants));

    QCOMPARE(h->boxes.boxes.size(), 1);
    const RecordingMessageBoxes::Box report = h->boxes.boxes.first();
    qInfo("%s: %s", listed ? "on opening a declarant" : "at start-up",
          qPrintable(QString(report.text).replace(CR(), QStringLiteral(" / "))));
    const QString heading = report.text.section(CR() + CR(), 0, 0);
    const QString description = report.text.section(CR() + CR(), 1);
    QVERIFY2(heading.startsWith(QStringLiteral("Errore n. ")) && heading.mid(10).toInt() != 0 &&
                 !description.trimmed().isEmpty(),
             qPrintable(report.text));
    QVERIFY2(description.contains(described, Qt::CaseInsensitive), qPrintable(report.text));
    QCOMPARE(report.style, MessageBoxes::OkOnly + MessageBoxes::Critical);
    QCOMPARE(h->platform.endings, QList<int>{1});
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);

    h->window->close();
    h->window.reset();
    h->mod = MOD770BAS();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
    QVERIFY(fileBytes(path) == bytes);
    QCOMPARE(h->boxes.unexpected, 0);
}

QTEST_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"

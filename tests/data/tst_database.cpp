#include "data/database.h"
#include "data/queryrecordset.h"
#include "data/sxtable.h"
#include "data/tablerecordset.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString schemaSql() {
    QFile file(qEnvironmentVariable("QUADROSX_SOURCE_DIR") + QStringLiteral("/data/schema.sql"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

void runScript(Database& db, const QString& script) {
    QString text;
    for (const QString& line : script.split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    for (const QString& statement : text.split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty())
            db.execute(statement);
}

QByteArray bytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class DatabaseTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;

    std::unique_ptr<Database> freshDatabase(const QString& script) {
        QFile::remove(path);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.close();
        auto db = std::make_unique<Database>(path);
        runScript(*db, script);
        return db;
    }

  private slots:
    void init() { path = dir.filePath(QStringLiteral("S7702004.MDB")); }

    void openingAMissingFileFailsAndCreatesNothing() {
        const QString missing = dir.filePath(QStringLiteral("missing.MDB"));
        try {
            Database db(missing);
            QFAIL("a missing file was opened");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.number, 3024);
        }
        QVERIFY(!QFile::exists(missing));
    }

    void damagedFilesFailAndStayAsTheyWere_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("this is no database at all, just some text\n");
        QTest::newRow("random") << QByteArray(4096, '\x5a');
        QTest::newRow("truncated header") << QByteArray("SQLite format 3\0\x10\x00", 19);
    }
    void damagedFilesFailAndStayAsTheyWere() {
        QFETCH(QByteArray, content);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        try {
            Database db(path);
            db.openQuery(QStringLiteral("SELECT * FROM frontespizio"));
            QFAIL("a damaged file was read");
        } catch (const DatabaseError& error) {
            QVERIFY(error.number != 0);
            QVERIFY(!error.description.isEmpty());
        }
        QCOMPARE(bytes(path), content);
    }

    void tableRecordsetSeeksByKeyWithoutRegardToCase_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("program's own schema") << schemaSql();
        QTest::newRow("another program's layout") << QStringLiteral(
            "CREATE TABLE quadrosx (extra INTEGER, seq TEXT COLLATE NOCASE, "
            "cfd TEXT COLLATE NOCASE, codazi TEXT COLLATE NOCASE, sx_1 TEXT, "
            "sx_2 TEXT, sx_3 TEXT, sx_4 TEXT, sx_5 TEXT, sx_6 TEXT, sx_7 TEXT, "
            "sx_8 TEXT, sx_9 TEXT, sx_10 TEXT);"
            "CREATE UNIQUE INDEX quadrosx_chiave ON quadrosx (codazi, cfd, seq);"
            "CREATE TABLE frontespizio (fr_9 TEXT, cfd TEXT, codazi TEXT, fr_46 TEXT);"
            "CREATE UNIQUE INDEX chiave ON frontespizio (codazi, cfd);");
    }
    void tableRecordsetSeeksByKeyWithoutRegardToCase() {
        QFETCH(QString, script);
        auto db = freshDatabase(script);
        auto table = db->openTable(QStringLiteral("QUADROSX"));
        table->setIndex(QStringLiteral("CHIAVE"));
        const QString tax = QStringLiteral("01234567890     ");
        table->addNew();
        table->setField(QStringLiteral("CODAZI"), QStringLiteral("A'1"));
        table->setField(QStringLiteral("CFD"), tax);
        table->setField(QStringLiteral("SEQ"), QStringLiteral("001"));
        table->setField(QStringLiteral("sx_2"), QStringLiteral("1500,00"));
        table->update();

        table->seek({QStringLiteral("A'1"), tax, QStringLiteral("002")});
        QVERIFY(table->noMatch());
        table->seek({QStringLiteral("a'1"), tax, QStringLiteral("001")});
        QVERIFY(!table->noMatch());
        QCOMPARE(table->field(QStringLiteral("SX_2")), QStringLiteral("1500,00"));
        QCOMPARE(table->field(QStringLiteral("Sx_3")), QString()); // Null reads as empty text
        table->seek({QStringLiteral("A'1"), QStringLiteral("01234567890 "), QStringLiteral("001")});
        QVERIFY(table->noMatch()); // neither the 16-character form nor the bare code

        // a front page typed by another program keeps the bare 11-character code
        auto front = db->openTable(QStringLiteral("frontespizio"));
        front->setIndex(QStringLiteral("CHIAVE"));
        front->addNew();
        front->setField(QStringLiteral("codazi"), QStringLiteral("A'1"));
        front->setField(QStringLiteral("cfd"), QStringLiteral("01234567890"));
        front->update();
        front->seek({QStringLiteral("A'1"), tax});
        QVERIFY(!front->noMatch());

        table->seek({QStringLiteral("A'1"), tax, QStringLiteral("001")});
        table->edit();
        table->setField(QStringLiteral("SX_2"), QStringLiteral(""));
        table->update();
        auto query = db->openQuery(
            QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD = ? order by seq"),
            {QStringLiteral("A'1"), tax});
        QCOMPARE(query->recordCount(), 1);
        QVERIFY(!query->value(QStringLiteral("sx_2")).isNull()); // empty text, not Null
        QVERIFY(query->value(QStringLiteral("sx_3")).isNull());
    }

    void queryRecordsetReadsForwardInOrder() {
        auto db = freshDatabase(schemaSql());
        for (const char* seq : {"031", "001", "010"})
            db->execute(
                QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ) VALUES ('001', 'X', ?)"),
                {QString::fromLatin1(seq)});
        auto query = db->openQuery(QStringLiteral("SELECT * FROM QUADROSX order by seq"));
        QStringList seen;
        for (query->moveFirst(); !query->eof(); query->moveNext())
            seen << query->field(QStringLiteral("seq"));
        QCOMPARE(seen, (QStringList{"001", "010", "031"}));
        QCOMPARE(query->recordCount(), 3);
        query->close();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, query->close());

        auto empty = db->openQuery(QStringLiteral("SELECT * FROM FRONTESPIZIO"));
        QCOMPARE(empty->recordCount(), 0);
        QVERIFY(empty->eof());
    }

    void unknownNamesFail_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("table") << "table";
        QTest::newRow("index") << "index";
        QTest::newRow("field") << "field";
    }
    void unknownNamesFail() {
        QFETCH(QString, what);
        auto db = freshDatabase(schemaSql());
        try {
            if (what == QLatin1String("table"))
                db->openTable(QStringLiteral("QUADRORX"));
            auto table = db->openTable(QStringLiteral("FRONTESPIZIO"));
            if (what == QLatin1String("index"))
                table->setIndex(QStringLiteral("ALTRA"));
            table->addNew();
            table->setField(QStringLiteral("FR_99"), QStringLiteral("x"));
            QFAIL("an unknown name was accepted");
        } catch (const DatabaseError& error) {
            QVERIFY(!error.description.isEmpty());
        }
    }

    void transactionNotCommittedLeavesNothing() {
        auto db = freshDatabase(schemaSql());
        auto table = db->openTable(QStringLiteral("QUADROSX"));
        {
            Transaction transaction(*db);
            table->addNew();
            table->setField(QStringLiteral("CODAZI"), QStringLiteral("001"));
            table->update();
        }
        QCOMPARE(db->openQuery(QStringLiteral("SELECT * FROM QUADROSX"))->recordCount(), 0);
        {
            Transaction transaction(*db);
            table->addNew();
            table->setField(QStringLiteral("CODAZI"), QStringLiteral("001"));
            table->update();
            transaction.commit();
        }
        QCOMPARE(db->openQuery(QStringLiteral("SELECT * FROM QUADROSX"))->recordCount(), 1);
    }

    void sxTableRefusesCellsOutsideItsRange_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("exists");
        QTest::newRow("first") << 0 << 0 << true;
        QTest::newRow("last") << 31 << 10 << true;
        QTest::newRow("row 32") << 32 << 1 << false;
        QTest::newRow("column 11") << 1 << 11 << false;
        QTest::newRow("negative") << -1 << 1 << false;
    }
    void sxTableRefusesCellsOutsideItsRange() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, exists);
        SxTable table;
        if (exists) {
            QCOMPARE(table.cell(row, column), QStringLiteral("0"));
            table.setCell(row, column, QStringLiteral("1,00"));
            table.clear();
            QCOMPARE(table.cell(row, column), QStringLiteral("0"));
        } else {
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.cell(row, column));
        }
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"

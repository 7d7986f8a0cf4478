#include "data/accessfile.h"
#include "editor/amount.h"
#include "testarchive.h"
#include "tools/jet4/jet4writer.h"

#include <csignal>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// The suite's Access year's database brought in by sxcopy, as an office runs it: files made by
// the Jet 4 maker, read back first by mdbtools' own tools, then imported and compared field by
// field; damaged and unsuitable files; the conversion of an archives folder killed at random.

using Jet4::Type;

namespace {

ProcessRun sxcopy(const QStringList& arguments) {
    return runProcess(QStringList{QStringLiteral(SXCOPY)} + arguments);
}

// A year's database as the suite keeps it: names in any case, fields and a table the program
// does not use; `declarants` declarants with 31 rows each, the amounts as Currency.
QList<Jet4::Table> yearTables(int declarants) {
    Jet4::Table front{
        QStringLiteral("Frontespizio"),
        Jet4::textColumns({"codazi", "CFD", "FR_1", "FR_2", "FR_3", "FR_14", "fr_46"}),
        {}};
    front.columns << Jet4::Column{QStringLiteral("FR_DATA"), Type::DateTime};
    Jet4::Table schedule{QStringLiteral("QUADROSX"), Jet4::scheduleColumns(Type::Currency), {}};
    for (int d = 0; d < declarants; ++d) {
        const QString code = QString::number(d).rightJustified(5, QLatin1Char('0'));
        front.rows << QVariantList{
            code,   "RSSMRA70A01H501" + code.right(1), "ROSSI", "MARIA", QVariant(), "F", "1",
            38000.0};
        for (int row = 1; row <= 31; ++row) {
            QVariantList values{code, front.rows.last().at(1),
                                QString::number(row).rightJustified(3, QLatin1Char('0'))};
            for (int j = 1; j <= 10; ++j)
                values << (j <= 7 ? QVariant(qint64(d * 1000000 + row * 10000 + j * 100))
                                  : QVariant(QStringLiteral("0")));
            schedule.rows << values;
        }
    }
    return {front, schedule, {QStringLiteral("ALTRA"), Jet4::textColumns({"X"}), {{"x"}}}};
}

} // namespace

class TestAccessImport : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString source() const { return dir.filePath(QStringLiteral("S7702004.MDB")); }
    QString target() const { return dir.filePath(QStringLiteral("nuovo.db")); }

  private slots:
    void cleanup() {
        QFile::remove(source());
        QFile::remove(target());
    }

    // One value of each column type in SX_1 of a schedule row: what mdbtools' export reads of
    // it (the file is as the format says), and the text stored (an amount the same to the cent).
    void everyTypeComesThroughExactly_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("exported");
        QTest::addColumn<QString>("stored");
        const auto add = [](const char* name, Type type, QVariant value, QString exported,
                            QString stored) {
            QTest::newRow(name) << int(type) << value << exported << stored;
        };
        add("Currency, four decimals", Type::Currency, qint64(12345678), "1234.5678", "1234,5678");
        add("Currency, negative", Type::Currency, qint64(-1050000), "-105.0000", "-105,00");
        add("Currency, zero", Type::Currency, qint64(0), "0.0000", "0,00");
        add("Currency, large", Type::Currency, qint64(99999999999990000), "9999999999999.0000",
            "9999999999999,00");
        add("Double", Type::Double, 1234.5, "1234.5", "1234,5");
        add("Double, tenth", Type::Double, -0.1, "-0.1", "-0,1");
        add("Double, smallest", Type::Double, 5e-324, "4.940656458412465e-324", "5e-324");
        add("Double, largest", Type::Double, 1.7976931348623157e308, "1.797693134862316e+308",
            "1,7976931348623157e+308");
        add("Double, 1e64", Type::Double, 1e64, "1e+64", "1e+64");
        add("Single", Type::Single, 0.1, "0.1", "0,1");
        add("Long", Type::Long, qint64(-2000000000), "-2000000000", "-2000000000");
        add("Integer", Type::Integer, qint64(-32768), "-32768", "-32768");
        add("Byte", Type::Byte, qint64(255), "255", "255");
        add("Date", Type::DateTime, 38000.0, "\"14/01/2004 00:00:00\"", "14/01/2004");
        add("Date, time", Type::DateTime, 38000.75, "\"14/01/2004 18:00:00\"",
            "14/01/2004 18:00:00");
        add("Yes", Type::YesNo, true, "1", "1");
        add("No", Type::YesNo, false, "0", "0");
        add("Text, empty", Type::Text, QString(""), "", "");
        add("Text, Null", Type::Text, QVariant(), "", nullptr);
        add("Currency, Null", Type::Currency, QVariant(), "", nullptr);
        add("Text, accents and quotes", Type::Text, QString::fromUtf8("L'Aquila \"Perché\" àèìòù"),
            "\"L'Aquila \"\"Perché\"\" àèìòù\"", "L'Aquila \"Perché\" àèìòù");
        add("Text, switching to two bytes and back", Type::Text,
            QString::fromUtf8("100 € e 50 ¢ − fine"), "\"100 € e 50 ¢ − fine\"",
            "100 € e 50 ¢ − fine");
        add("Text, a character no compressed form holds", Type::Text,
            QString::fromUtf8("ĀĀĀ città"), "\"ĀĀĀ città\"", "ĀĀĀ città");
        add("Text, beyond U+FFFF", Type::Text, QString::fromUtf8("𝄞 è 😀"), "\"?? è ??\"", "𝄞 è 😀");
        const QString memo = QString::fromUtf8("Nota è 😀 ").repeated(80);
        add("Memo, each half of a pair exported as ?", Type::Memo, memo,
            '"' + QString(memo).replace(QString::fromUtf8("😀"), "??") + '"', memo);
    }
    void everyTypeComesThroughExactly() {
        QFETCH(int, type);
        QFETCH(QVariant, value);
        QFETCH(QString, exported);
        QFETCH(QString, stored);
        QList<Jet4::Table> tables = yearTables(1);
        tables[1].columns[3].type = Type(type);
        tables[1].rows[4][3] = value;
        QVERIFY(writeFile(source(), Jet4::fileOf(tables)));
        const QByteArray before = fileBytes(source());
        const QStringList csv =
            runProcess({"mdb-export", "-T", "%d/%m/%Y %H:%M:%S", source(), "QUADROSX"})
                .out.split('\n');
        QCOMPARE(csv.value(5).section(QLatin1Char(','), 3, -10), exported);

        const ProcessRun run = sxcopy({source(), target()});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(runOnFile(target(), "SELECT SX_1 FROM QUADROSX WHERE SEQ = '005'"),
                 QStringList{stored.isNull() ? "|N" : "|T" + stored});
        if (type == int(Type::Currency) && !value.isNull())
            QCOMPARE(qRound64(LibrAgg770::amountOf(stored) * 100),
                     qRound64(value.toLongLong() / 100.0));
        QCOMPARE(fileBytes(source()), before);
    }

    // The records other than the one changed above come through whole, those an edit moved to
    // another page too (00000 005, 00001 009), but not a record deleted in place (00002 019) nor
    // one deleted after it was moved (00002 009); the tables and fields the program does not use
    // stay out.
    void wholeTablesComeThrough() {
        QList<Jet4::Table> tables = yearTables(3);
        tables[1].moved = {4, 40, 70};
        tables[1].deleted = {70, 80};
        QVERIFY(writeFile(source(), Jet4::fileOf(tables)));
        QCOMPARE(runProcess({"mdb-tables", "-1", source()}).out +
                     runProcess({"mdb-count", source(), "QUADROSX"}).out,
                 QStringLiteral("Frontespizio\nQUADROSX\nALTRA\n91\n"));
        QCOMPARE(sxcopy({source(), target()}).status, 0);
        QCOMPARE(runOnFile(target(), "SELECT * FROM FRONTESPIZIO WHERE CODAZI = '00002'"),
                 QStringList{"|T00002|TRSSMRA70A01H5012|TROSSI|TMARIA|N|TF|T1"});
        QCOMPARE(runOnFile(target(), "SELECT COUNT(*), SUM(SX_7 = '231,07'), SUM(SEQ IN ('009', "
                                     "'019')), SUM(SX_1 IN ('5,01', '109,01')) FROM QUADROSX"),
                 QStringList{"|T91|T1|T4|T2"});
        QCOMPARE(runOnFile(target(), "SELECT name FROM sqlite_master WHERE type = 'table'"),
                 (QStringList{"|TFRONTESPIZIO", "|TQUADROSX"}));
        QCOMPARE(sxcopy({source(), target()}).status, 2);
    }

    // How the file is unsuitable; what the message says besides the file's name.
    void unsuitableFilesAreRefusedAndNothingIsMade_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("said");
        const char* cases[][3] = {
            {"cut short", "cut", "danneggiato"},
            {"overwritten", "overwritten", "danneggiato"},
            {"password", "password", "password"},
            {"no schedule table", "no table", "non ha la tabella QUADROSX"},
            {"a field missing", "no field", "non ha il campo SX_10 della tabella"},
            {"empty key", "empty key", "record 32: il campo chiave SEQ è vuoto"},
            {"key twice", "repeated key", "record 2: la chiave 00000 RSSMRA70A01H5010 è ripetuta"},
            {"cut at a page boundary", "cut page", "la pagina 11 di QUADROSX non si legge"},
            {"a data page of zeros", "zeroed page", "la pagina 10 di QUADROSX non si legge"},
            {"a data page of random bytes", "random page", "la pagina 11 di QUADROSX non si legge"},
            {"a usage map of no known kind", "map kind", "(Warning: unrecognized usage map type"},
            {"a record count above the records", "count", "QUADROSX ha 62 record dei 63 che"},
            {"an infinite Double", "infinite", "nel record 5 di QUADROSX, campo SX_1, un valore"},
            {"half a surrogate pair", "half pair", "nel record 5 di QUADROSX, campo SX_8, un"}};
        for (const auto& c : cases)
            QTest::newRow(c[0]) << QString(c[1]) << QString::fromUtf8(c[2]);
    }
    void unsuitableFilesAreRefusedAndNothingIsMade() {
        QFETCH(QString, fault);
        QFETCH(QString, said);
        QList<Jet4::Table> tables = yearTables(2);
        if (fault == "no table")
            tables.removeAt(1);
        if (fault == "no field")
            tables[1].columns.removeLast();
        if (fault == "empty key")
            tables[1].rows[31][2] = QString(" ");
        if (fault == "repeated key")
            tables[0].rows[1] = tables[0].rows[0];
        if (fault == "infinite") {
            tables[1].columns[3].type = Type::Double;
            tables[1].rows[4][3] = qInf();
        }
        if (fault == "half pair")
            tables[1].rows[4][10] = QString(QChar(0xd834)) + "x";
        QByteArray bytes = Jet4::fileOf(tables, fault == "password" ? "segreto" : "");
        // QUADROSX: its definition on page 8, its usage maps on 9, its records on 10 and 11.
        const auto page = [&bytes](int number) { return bytes.data() + number * 4096; };
        if (fault == "cut page")
            bytes.truncate(11 * 4096);
        if (fault == "zeroed page")
            std::fill_n(page(10), 4096, '\0');
        if (fault == "map kind")
            page(9)[qFromLittleEndian<quint16>(page(9) + 14)] = 7;
        if (fault == "count")
            qToLittleEndian<quint32>(63, page(8) + 16);
        if (fault == "cut")
            bytes.truncate(3 * 4096 + 100);
        const auto noise = [] { return char(QRandomGenerator::global()->generate()); };
        if (fault == "overwritten")
            std::generate(page(1), bytes.end(), noise);
        if (fault == "random page")
            std::generate_n(page(11), 4096, noise);
        QVERIFY(writeFile(source(), bytes));
        QCOMPARE(AccessFile::hasPassword(bytes), fault == "password");
        const ProcessRun run = sxcopy({source(), target()});
        QVERIFY2(run.err.contains(source()) && run.err.contains(said), qPrintable(run.err));
        QCOMPARE(run.status, 2);
        QVERIFY(!QFile::exists(target()));
        QCOMPARE(fileBytes(source()), bytes);
    }

    // The archives folder converted in one step, killed at seeded random moments: each name
    // holds its original or its finished new file, the originals kept beside are whole, and
    // the next run finishes; a run after that is refused.
    void inPlaceConversionSurvivesKills() {
        const QString folder = dir.filePath(QStringLiteral("archivi"));
        const QString year = folder + "/S7702004.MDB";
        const QString empty = folder + "/S774XXXX.MDB";
        QList<Jet4::Table> tables = yearTables(60);
        const QByteArray yearBytes = Jet4::fileOf(tables);
        tables[0].rows.clear();
        tables[1].rows.clear();
        const QByteArray emptyBytes = Jet4::fileOf(tables);
        const auto fresh = [&] {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
            QVERIFY(writeFile(year, yearBytes));
            QVERIFY(writeFile(empty, emptyBytes));
        };
        const auto isNew = [&](const QString& path, const char* count) {
            return fileBytes(path).startsWith("SQLite format 3") &&
                   runOnFile(path, "SELECT COUNT(*) FROM QUADROSX") ==
                       QStringList{"|T" + QString(count)};
        };
        fresh();
        const ProcessRun first = sxcopy({"--in-place", folder});
        QCOMPARE(first.status, 0);
        const int whole = int(first.ms);
        const quint32 seed = qEnvironmentVariableIntValue("QUADROSX_SEED");
        QRandomGenerator random(seed ? seed : QRandomGenerator::global()->generate());
        for (int kill = 0; kill < 50; ++kill) {
            fresh();
            runProcess({SXCOPY, "--in-place", folder}, QProcessEnvironment::systemEnvironment(),
                       [&](QProcess& process) {
                           QThread::msleep(random.bounded(whole + 20));
                           ::kill(pid_t(process.processId()), SIGKILL);
                       });
            QVERIFY(fileBytes(year) == yearBytes || isNew(year, "1860"));
            QVERIFY(fileBytes(empty) == emptyBytes || isNew(empty, "0"));
            for (const auto& [kept, bytes] : {std::pair{year, yearBytes}, {empty, emptyBytes}})
                if (QFile::exists(keptName(kept)))
                    QCOMPARE(fileBytes(keptName(kept)), bytes);
            const ProcessRun again = sxcopy({"--in-place", folder});
            QVERIFY2(again.status == 0 || again.err.contains("non ci sono archivi Access"),
                     qPrintable(again.err));
            QVERIFY(isNew(year, "1860") && isNew(empty, "0"));
            QCOMPARE(fileBytes(keptName(year)), yearBytes);
            QCOMPARE(fileBytes(keptName(empty)), emptyBytes);
            QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 4);
        }
        QCOMPARE(sxcopy({"--in-place", folder}).status, 2);
    }

  private:
    static QString keptName(QString path) { return path.replace(".MDB", "-Access.MDB"); }
};

QTEST_GUILESS_MAIN(TestAccessImport)
#include "tst_accessimport.moc"

#include "batch/batchoptions.h"
#include "report/controllist.h"
#include "report/recordingprintersink.h"
#include "testarchive.h"
#include "tools/jet4/jet4writer.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The program started with an option instead of by the suite, as a process of its own with no
// display: the check of every schedule and every control list, on a year's database with
// faults planted beside clean schedules, which it leaves byte for byte as it was.

namespace {

struct Planted {
    QString company;
    QString taxCode;
    QString name;
    bool stored;
    QMap<int, QString> amounts; // row -> "SX_1 SX_2 ..."; every other field "0"
};

// Out of company-code order, as a front page filled over the year is. A company's 11-digit tax
// code is kept with or without the blanks of its 16-character form.
const QList<Planted> planted = {
    {"Z99", "ZZZZZZ99Z99Z999Z", "ZETA SRL", true, {}},
    {"A01",
     "AAAAAA01A01A001A",
     "ALFA SRL",
     true,
     {{1, "100 300 0 100 0 0 0 1 0 1"}, {2, "0 300 0 100"}}},
    {"E05",
     "EEEEEE05E05E005E",
     "EPSILON SRL",
     true,
     {{1, "0 100 0 0 0 60 50"}, {2, "0 100 0 0 0 60 50"}}},
    {"B02", "02345678901", "BETA SRL", true, {{1, "0 999"}, {2, "0 300"}}},
    {"F06", "FFFFFF06F06F006F", "SENZA QUADRO SRL", false, {}},
    {"C03", "CCCCCC03C03C003C", "GAMMA SRL", true, {{1, "500 300 0 100"}, {2, "0 300 0 100"}}},
    {"D04", "04567890123     ", "DELTA SRL", true, {{1, "0 100 150"}, {31, "0 100 150"}}},
};

QString field(const Planted& p, int row, int j) {
    return p.amounts.value(row).split(' ', Qt::SkipEmptyParts).value(j - 1, QStringLiteral("0"));
}

QList<ControlList::Record> records(const Planted& p) {
    QList<ControlList::Record> result;
    for (int row = 1; row <= 31 && p.stored; ++row) {
        ControlList::Record record{QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0')), {}};
        for (int j = 1; j <= 10; ++j)
            record.sx[j] = field(p, row, j);
        result << record;
    }
    return result;
}

// The text of each page as pdftotext reads it: blanks run together, empty lines left out.
QList<QStringList> pages(const QString& text) {
    QList<QStringList> result;
    for (const QString& page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        if (!lines.isEmpty())
            result << lines;
    }
    return result;
}

// The text of a PDF the program wrote, page by page.
QList<QStringList> pdfPages(const QString& pdf) {
    const ProcessRun text = runProcess({"pdftotext", "-layout", pdf, "-"});
    if (text.status != 0)
        qFatal("pdftotext could not read %s", qPrintable(pdf));
    return pages(text.out);
}

} // namespace

class TestBatchRun : public QObject {
    Q_OBJECT

    std::unique_ptr<TestArchive> archive;
    QByteArray before;

    // With lockMs, another connection holds the file locked meanwhile, for that long (0: until
    // the program ends).
    ProcessRun run(const QStringList& arguments, std::optional<int> lockMs = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
        locker.setDatabaseName(archive->yearPath());
        if (lockMs && !(locker.open() && QSqlQuery(locker).exec("BEGIN EXCLUSIVE")))
            qFatal("no lock: %s", qPrintable(locker.lastError().text()));
        const ProcessRun result =
            runProcess(QStringList{QUADROSX_EXE} + arguments, environment, [&](QProcess& program) {
                program.waitForFinished(lockMs.value_or(0) > 0 ? *lockMs : 60000);
                locker.close();
            });
        locker = QSqlDatabase();
        QSqlDatabase::removeDatabase("locker");
        return result;
    }

  private slots:
    void initTestCase() {
        archive = std::make_unique<TestArchive>();
        for (const Planted& p : planted) {
            archive->addDeclarant(p.company, p.taxCode, QString(), QString(), p.name, QString());
            for (const ControlList::Record& r : records(p))
                archive->exec(QStringLiteral("INSERT INTO QUADROSX VALUES "
                                             "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                              {p.company, p.taxCode, r.seq, r.sx[1], r.sx[2], r.sx[3], r.sx[4],
                               r.sx[5], r.sx[6], r.sx[7], r.sx[8], r.sx[9], r.sx[10]});
        }
        before = fileBytes(archive->yearPath());
    }
    void cleanup() { QCOMPARE(fileBytes(archive->yearPath()), before); }

    // Any other first argument, "--" ones included, is the suite's command line: the window.
    void onlyTheOptionsWorkWithoutTheWindow() {
        QStringList batch;
        for (const char* first :
             {"--check", "--control-lists", "--help", "--declarant", "--pdf", "--csv", "--printer",
              "--R1.0", "--", "--checks", "/R1.0", "-h"}) {
            QByteArray program("quadrosx"), argument(first);
            char* argv[] = {program.data(), argument.data()};
            if (isBatchCommandLine(2, argv))
                batch << first;
        }
        QCOMPARE(batch.join(' '),
                 "--check --control-lists --help --declarant --pdf --csv --printer");
    }

    void checkFindsExactlyThePlantedFaults_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("counted"); // the last line of the PDF report, "": none asked
        const QString b = QStringLiteral("B02 02345678901 BETA SRL: ");
        const QString c = QStringLiteral("C03 CCCCCC03C03C003C GAMMA SRL: ");
        const QString d = QStringLiteral("D04 04567890123 DELTA SRL: ");
        const QString e = QStringLiteral("E05 EEEEEE05E05E005E EPSILON SRL: ");
        const QString bound = QStringLiteral("maggiore di casella 1 - casella 2 + casella 3 - ");
        QTest::newRow("every schedule")
            << QStringList{"--check"} << 1
            << QStringList{b + "SX4 casella 1 = 999,00 diversa dalla somma della colonna = 300,00",
                           c + "SX1 casella 1 = 500,00 maggiore di SX4 casella 3 = 100,00",
                           d + "SX34 casella 2 = 150,00 maggiore di casella 1 = 100,00",
                           d + "SX34 casella 5 = 0,00 " + bound + "casella 6 = -50,00",
                           d + "SX34 casella 6 = 0,00 " + bound + "casella 5 = -50,00",
                           e + "SX5 casella 5 = 60,00 " + bound + "casella 6 = 50,00",
                           e + "SX5 casella 6 = 50,00 " + bound + "casella 5 = 40,00"}
            << "Dichiaranti controllati: 6, con anomalie: 4, anomalie: 7.";
        QTest::newRow("for a spreadsheet, one declarant")
            << QStringList{"--check", "--csv", "--declarant", "c03"} << 1
            << QStringList{"Azienda;Codice fiscale;Denominazione;Rigo;Casella;Anomalia;Importo;"
                           "Limite",
                           "C03;CCCCCC03C03C003C;GAMMA SRL;SX1;1;maggiore di SX4 casella 3;"
                           "500,00;100,00"}
            << "";
        QTest::newRow("a clean one")
            << QStringList{"--check", "--declarant", "A01"} << 0 << QStringList{}
            << "Dichiaranti controllati: 1. Nessuna anomalia.";
        QTest::newRow("one without stored rows")
            << QStringList{"--check", "--declarant", "F06"} << 0 << QStringList{}
            << "Dichiaranti controllati: 0. Nessuna anomalia.";
    }
    void checkFindsExactlyThePlantedFaults() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        QFETCH(QString, counted);
        const QString pdf = archive->programs() + QStringLiteral("/controllo.pdf");
        QFile::remove(pdf);
        const ProcessRun result =
            run(arguments + (counted.isEmpty() ? QStringList{} : QStringList{"--pdf", pdf}));
        QCOMPARE(result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), lines);
        QVERIFY2(result.status == exitCode, qPrintable(result.err));
        if (!counted.isEmpty())
            QCOMPARE(pdfPages(pdf).last().last(), counted);
    }

    void controlListsArePrintedOnePerPage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("companies");
        QTest::newRow("every declarant")
            << QStringList{} << QStringList{"A01", "B02", "C03", "D04", "E05", "Z99"};
        QTest::newRow("one declarant") << QStringList{"--declarant", "D04"} << QStringList{"D04"};
    }
    void controlListsArePrintedOnePerPage() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, companies);
        QList<QStringList> expected;
        for (const QString& company : companies) {
            const Planted& p = *std::find_if(planted.begin(), planted.end(), [&](const Planted& x) {
                return x.company == company;
            });
            RecordingPrinterSink recording;
            ControlList::print(recording, records(p),
                               {" " + company, " " + p.name, " " + p.taxCode});
            expected << pages(recording.lines().join(QLatin1Char('\n')));
        }
        const QString pdf = archive->programs() + QStringLiteral("/liste.pdf");
        const ProcessRun result = run(QStringList{"--control-lists", pdf} + arguments);
        QVERIFY2(result.status == 0, qPrintable(result.err));
        QCOMPARE(pdfPages(pdf), expected);
    }

    void anotherProgramsLockIsWaitedForThenReported_data() {
        QTest::addColumn<int>("held"); // 0: past the wait, which ends the run with 2
        QTest::newRow("released after 2 s") << 2000;
        QTest::newRow("held past the wait") << 0;
    }
    void anotherProgramsLockIsWaitedForThenReported() {
        QFETCH(int, held);
        const ProcessRun result = run({"--check"}, held);
        QCOMPARE(result.status, held ? 1 : 2);
        QVERIFY2(result.ms >= (result.status == 2 ? 5000 : 1500), qPrintable(result.err));
        QCOMPARE(result.out.isEmpty(), result.status == 2);
        QCOMPARE(result.err.contains("Errore n. 5: Database bloccato da un altro programma: "
                                     "database is locked"),
                 result.status == 2);
    }

    void wrongStartsEndWithAClearMessage_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("database"); // "kept", "missing" or "Access" in its place
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("help") << QStringList{"--help"} << "kept" << 0 << "--control-lists FILE.pdf";
        QTest::newRow("unknown option")
            << QStringList{"--check", "--chek"} << "kept" << 2 << "Opzione sconosciuta: --chek";
        QTest::newRow("no file, no printer") << QStringList{"--control-lists"} << "kept" << 2
                                             << "vuole il nome del file PDF oppure --printer";
        QTest::newRow("unknown company") << QStringList{"--check", "--declarant", "X77"} << "kept"
                                         << 2 << "Nessun dichiarante con codice azienda X77";
        QTest::newRow("year's database missing")
            << QStringList{"--check"} << "missing" << 2 << "File non trovato";
        QTest::newRow("year's database of Access")
            << QStringList{"--control-lists", "x.pdf"} << "Access" << 2
            << "S7702004.MDB è un archivio Access della procedura paghe, formato Access 2000-2003 "
               "(Jet 4).\nQuesto programma lavora su un archivio SQLite e non lo apre";
    }
    void wrongStartsEndWithAClearMessage() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, database);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString aside = archive->yearPath() + QStringLiteral(".aside");
        const QByteArray access =
            Jet4::fileOf({{"QUADROSX", {{"SX_1", Jet4::Type::Currency}}, {}}});
        if (database != "kept")
            QVERIFY(QFile::rename(archive->yearPath(), aside));
        if (database == "Access")
            QVERIFY(writeFile(archive->yearPath(), access));
        const ProcessRun result = run(arguments);
        const QByteArray left = fileBytes(archive->yearPath());
        if (database != "kept") {
            QFile::remove(archive->yearPath());
            QVERIFY(QFile::rename(aside, archive->yearPath()));
        }
        QCOMPARE(left, database == "Access"    ? access
                       : database == "missing" ? QByteArray()
                                               : before);
        QCOMPARE(result.status, exitCode);
        QVERIFY2((result.out + result.err).contains(message), qPrintable(result.out + result.err));
        QVERIFY(!QFile::exists("x.pdf"));
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batchrun.moc"

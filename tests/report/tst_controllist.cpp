#include "report/controllist.h"
#include "report/defaultprintersink.h"
#include "report/pdfprintersink.h"
#include "report/recordingprintersink.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using ControlList::Record;
using Records = QList<Record>;
Q_DECLARE_METATYPE(Records)

namespace {

const ControlList::DeclarantCaptions captions{
    QStringLiteral(" 001"), QStringLiteral(" ROSSI MARIO"), QStringLiteral(" RSSMRA80A01H501U")};

const QString separator(104, QLatin1Char('-'));

// Fields SX_1..SX_10 in order; missing ones are Null.
Record record(const QString& seq, const QStringList& fields = {}) {
    Record result{seq, {}};
    for (int j = 1; j <= fields.size(); ++j)
        result.sx[j] = fields[j - 1];
    return result;
}

Record zeroSummary(const QString& flag8, const QString& flag9, const QString& flag10) {
    return record("001", {"0", "0", "0", "0", "0", "0", "0", flag8, flag9, flag10});
}

QStringList header(int page) {
    return {separator,
            QStringLiteral("Lista di controllo QUADRO SX 770/2004 Semplificato") +
                QStringLiteral("                                   Pagina ") +
                QString::number(page),
            separator,
            QStringLiteral("Azienda 001 ROSSI MARIO Codice fiscale  RSSMRA80A01H501U"),
            separator,
            QStringLiteral("Rigo     Casella 1      Casella 2      Casella 3      Casella 4      "
                           "Casella 5      Casella 6"),
            separator};
}

QStringList closing(const QString& sx35) {
    return {QString(), sx35, separator};
}

const QString zeroSx1 = QStringLiteral("SX1           0,00 ");
// clang-format off
const QString zeroSx4 = QStringLiteral("SX4           0,00           0,00           0,00           0,00           0,00           0,00 ");
// clang-format on

Records allRows() {
    Records rows{
        record("001", {"1500", "100", "200,5", "300,25", "0", "-50", "1234,5", "1", "0", "1"})};
    for (int seq = 2; seq <= 31; ++seq) {
        rows.append(record(QStringLiteral("%1").arg(seq, 3, 10, QLatin1Char('0')),
                           {"0", QString::number(seq), "0", "0", "0", "0", "0", "0", "0", "0"}));
    }
    return rows;
}

// clang-format off
const QStringList allRowsBody{
    "SX1        1500,00 ",
    "",
    "SX4         100,00         200,50         300,25           0,00         -50,00        1234,50 ",
    "",
    "SX5           2,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX6           3,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX7           4,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX8           5,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX9           6,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX10          7,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX11          8,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX12          9,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX13         10,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX14         11,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX15         12,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX16         13,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX17         14,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX18         15,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX19         16,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX20         17,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX21         18,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX22         19,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX23         20,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX24         21,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX25         22,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX26         23,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX27         24,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX28         25,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX29         26,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX30         27,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX31         28,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX32         29,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX33         30,00           0,00           0,00           0,00           0,00           0,00 ",
    "SX34         31,00           0,00           0,00           0,00           0,00           0,00 ",
};
// clang-format on

} // namespace

class TestControlList : public QObject {
    Q_OBJECT

  private slots:
    void printsTheStoredRows_data();
    void printsTheStoredRows();
    void breaksThePageAtSixtySixCountedLines_data();
    void breaksThePageAtSixtySixCountedLines();
    void pdfHoldsTheListAsText();
    void refusesToPrintWithoutADefaultPrinter();
};

void TestControlList::printsTheStoredRows_data() {
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("all 31 rows on one page")
        << allRows()
        << header(1) + allRowsBody +
               closing(QStringLiteral("SX35             X                             X"));
    QTest::newRow("no stored row") << Records{} << header(1) + closing(QStringLiteral("SX35 "));
    // clang-format off
    QTest::newRow("no summary row: labels count printed rows")
        << Records{record("002", {"0", "10", "0", "0", "0", "0", "0", "0", "0", "0"}),
                   record("003", {"0", "0", "0", "0", "0", "0", "7", "1", "1", "1"})}
        << header(1) + QStringList{
               "SX4          10,00           0,00           0,00           0,00           0,00           0,00 ",
               "SX5           0,00           0,00           0,00           0,00           0,00           7,00 "}
               + closing(QStringLiteral("SX35 "));
    QTest::newRow("only SX_9 ticked")
        << Records{zeroSummary("0", "1", "0")}
        << header(1) + QStringList{zeroSx1, "", zeroSx4, ""}
               + closing(QStringLiteral("SX35                            X"));
    QTest::newRow("Null flag is not ticked")
        << Records{zeroSummary(QString(), "0", "1")}
        << header(1) + QStringList{zeroSx1, "", zeroSx4, ""}
               + closing(QStringLiteral("SX35                                           X"));
    QTest::newRow("amounts of 13 and 14 characters, empty and Null fields")
        << Records{record("001", {"12345678901", "1234567890", "-1234567890", "", QString(), ",5",
                                  "-7", "0", "0", "0"})}
        << header(1) + QStringList{
               "SX1  2345678901,00 ",
               "",
               "SX4  1234567890,00  1234567890,00                                         0,50          -7,00 ",
               ""}
               + closing(QStringLiteral("SX35 "));
    // clang-format on
}

void TestControlList::printsTheStoredRows() {
    QFETCH(Records, records);
    QFETCH(QStringList, expected);

    RecordingPrinterSink sink;
    ControlList::print(sink, records, captions);

    QCOMPARE(sink.lines(), expected);
    QVERIFY(sink.pageBreaks().isEmpty());
    const auto& events = sink.events();
    QCOMPARE(events.first().kind, RecordingPrinterSink::Event::Font);
    QCOMPARE(events.first().text, QStringLiteral("Courier New"));
    QCOMPARE(events.first().pointSize, 9.0);
    QCOMPARE(events.first().bold, false);
    QCOMPARE(events.last().kind, RecordingPrinterSink::Event::End);
}

void TestControlList::breaksThePageAtSixtySixCountedLines_data() {
    QTest::addColumn<bool>("withSummary");
    QTest::addColumn<int>("regionRows");
    QTest::addColumn<int>("firstLineOfPage2"); // -1: one page only
    QTest::addColumn<QString>("lastLabelOfPage1");
    QTest::addColumn<QString>("firstLabelOfPage2"); // empty: only the closing lines follow
    QTest::addColumn<int>("lineTotal");

    QTest::newRow("58 region rows stay on one page") << false << 58 << -1 << "SX61 "
                                                     << "" << 68;
    QTest::newRow("59 region rows fill the page") << false << 59 << 67 << "SX62 "
                                                  << "" << 77;
    QTest::newRow("70 region rows") << false << 70 << 67 << "SX62 "
                                    << "SX63 " << 88;
    QTest::newRow("summary and 60 region rows") << true << 60 << 68 << "SX60 "
                                                << "SX61 " << 82;
}

void TestControlList::breaksThePageAtSixtySixCountedLines() {
    QFETCH(bool, withSummary);
    QFETCH(int, regionRows);
    QFETCH(int, firstLineOfPage2);
    QFETCH(QString, lastLabelOfPage1);
    QFETCH(QString, firstLabelOfPage2);
    QFETCH(int, lineTotal);

    Records records;
    if (withSummary)
        records.append(zeroSummary("0", "0", "0"));
    for (int i = 0; i < regionRows; ++i)
        records.append(record(QStringLiteral("%1").arg(i + 2, 3, 10, QLatin1Char('0'))));
    RecordingPrinterSink sink;
    ControlList::print(sink, records, captions);
    const QStringList lines = sink.lines();

    QCOMPARE(lines.size(), lineTotal);
    QCOMPARE(lines.mid(lineTotal - 3), closing(QStringLiteral("SX35 ")));
    if (firstLineOfPage2 < 0) {
        QVERIFY(sink.pageBreaks().isEmpty());
        QVERIFY(lines.at(lineTotal - 4).startsWith(lastLabelOfPage1));
        return;
    }
    QCOMPARE(sink.pageBreaks(), QList<int>{firstLineOfPage2});
    QVERIFY(lines.at(firstLineOfPage2 - 2).startsWith(lastLabelOfPage1));
    QCOMPARE(lines.at(firstLineOfPage2 - 1), separator);
    QCOMPARE(lines.mid(firstLineOfPage2, 7), header(2));
    if (!firstLabelOfPage2.isEmpty())
        QVERIFY(lines.at(firstLineOfPage2 + 7).startsWith(firstLabelOfPage2));
}

void TestControlList::pdfHoldsTheListAsText() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("lista.pdf"));
    {
        PdfPrinterSink sink(file);
        ControlList::print(sink, allRows(), captions);
    }
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text cannot be read back");
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    QVERIFY(process.waitForFinished());
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(text.contains(QStringLiteral("Lista di controllo QUADRO SX 770/2004 Semplificato")));
    QVERIFY(text.contains(QStringLiteral("Pagina 1")));
    QVERIFY(text.contains(QStringLiteral("SX34")));
}

void TestControlList::refusesToPrintWithoutADefaultPrinter() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer: printing would start a real job");
    try {
        DefaultPrinterSink sink;
        QFAIL("a printer sink was made without a printer");
    } catch (const PrinterError& error) {
        QVERIFY(!error.description.isEmpty());
    }
}

QTEST_MAIN(TestControlList)
#include "tst_controllist.moc"

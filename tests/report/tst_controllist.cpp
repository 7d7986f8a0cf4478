#include "report/controllist.h"
#include "report/recordingprintersink.h"

#include <QtTest>

using ControlList::Record;

namespace {

const ControlList::DeclarantCaptions captions{QStringLiteral(" 001\t"),
                                              QStringLiteral("\tROSSI MARIO "),
                                              QStringLiteral(" RSSMRA80A01H501U")};

// Each record: SEQ, then SX_1..SX_10; missing fields are Null.
QList<Record> records(const QList<QStringList>& rows) {
    QList<Record> result;
    for (const QStringList& row : rows) {
        result.append({row.first(), {}});
        for (int j = 1; j < row.size(); ++j)
            result.last().sx[j] = row.at(j);
    }
    return result;
}

QStringList printed(const QList<Record>& rows, QList<int>* pageBreaks = nullptr) {
    RecordingPrinterSink sink;
    ControlList::print(sink, rows, captions);
    if (pageBreaks)
        *pageBreaks = sink.pageBreaks();
    return sink.lines();
}

} // namespace

class TestControlList : public QObject {
    Q_OBJECT

  private slots:
    // The header (7 lines) and the closing separator are printed in every case: the lines
    // between them are compared.
    void lines_data() {
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QStringList>("body");
        const QString zeros = QStringLiteral("0,00           0,00           0,00           0,00    "
                                             "       0,00           0,00 ");
        QTest::newRow("no stored row") << QList<QStringList>{} << QStringList{"", "SX35 "};
        QTest::newRow("no summary row: labels count printed rows")
            << QList<QStringList>{{"002", "0", "10", "0", "0", "0", " \t5 ", "0", "0", "0", "0"},
                                  {"031", "0", "0", "0", "0", "0", "0", "7", "1", "1", "1"}}
            << QStringList{"SX4          10,00           0,00           0,00           0,00      "
                           "       \t5           0,00 ",
                           "SX5           0,00           0,00           0,00           0,00      "
                           "     0,00           7,00 ",
                           "", "SX35 "};
        QTest::newRow("SX_9 ticked, Null SX_8")
            << QList<QStringList>{{"001", "0", "0", "0", "0", "0", "0", "0", QString(), "1", "0"}}
            << QStringList{"SX1           0,00 ",
                           "",
                           "SX4           " + zeros,
                           "",
                           "",
                           "SX35                            X"};
        QTest::newRow("amounts of 13 and 14 characters, empty and Null fields")
            << QList<QStringList>{{"001", "12345678901", "1234567890", "-1234567890", "", QString(),
                                   ",5", "-7", "0", "0", "1"}}
            << QStringList{"SX1  2345678901,00 ",
                           "",
                           "SX4  1234567890,00  1234567890,00                                   "
                           "      0,50          -7,00 ",
                           "",
                           "",
                           "SX35                                           X"};
    }
    void lines() {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QStringList, body);
        const QStringList lines = printed(records(rows));
        // Blanks are trimmed, nothing else.
        QCOMPARE(lines.at(3), "Azienda 001\t \tROSSI MARIO Codice fiscale  RSSMRA80A01H501U");
        QCOMPARE(lines.mid(7, lines.size() - 8), body);
    }

    void pageBreak_data() {
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("regionRows");
        QTest::addColumn<QList<int>>("breaks"); // lines before which a new page starts
        QTest::addColumn<QString>("lastLabel"); // the last row of the first page
        QTest::newRow("58 region rows on one page") << false << 58 << QList<int>{} << "SX61 ";
        QTest::newRow("59 region rows fill it") << false << 59 << QList<int>{67} << "SX62 ";
        QTest::newRow("the summary's SX4 line is not counted")
            << true << 60 << QList<int>{68} << "SX60 ";
    }
    void pageBreak() {
        QFETCH(bool, summary);
        QFETCH(int, regionRows);
        QFETCH(QList<int>, breaks);
        QFETCH(QString, lastLabel);
        QList<QStringList> rows;
        if (summary)
            rows << QStringList{"001", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
        for (int i = 0; i < regionRows; ++i)
            rows << QStringList{QStringLiteral("%1").arg(i + 2, 3, 10, QLatin1Char('0'))};
        QList<int> pageBreaks;
        const QStringList lines = printed(records(rows), &pageBreaks);
        QCOMPARE(pageBreaks, breaks);
        const int end = breaks.isEmpty() ? int(lines.size()) - 3 : breaks.first() - 1;
        QVERIFY2(lines.at(end - 1).startsWith(lastLabel), qPrintable(lines.at(end - 1)));
        if (!breaks.isEmpty())
            QCOMPARE(lines.mid(breaks.first(), 7), ControlList::pageHeader(2, captions));
    }
};

QTEST_MAIN(TestControlList)
#include "tst_controllist.moc"

#include "windowharness.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using StoredRows = QList<QVariantList>; // each: SEQ, then SX_1..SX_10 (a null QVariant is Null)
Q_DECLARE_METATYPE(StoredRows)

namespace {

using namespace Shown;

constexpr int Ok = MessageBoxes::Ok;
constexpr int Yes = MessageBoxes::Yes;
constexpr int No = MessageBoxes::No;

const QString separator(104, QLatin1Char('-'));
const QVariant null;

const QString rossiLine =
    QStringLiteral("Azienda 001 ROSSI MARIO Codice fiscale  RSSMRA80A01H501U");
const QString quoteLine = QStringLiteral("Azienda O'K L'ALBERO Codice fiscale  QU'OTE");

QString tax16(const QString& code) {
    return code.leftJustified(16, QLatin1Char(' '));
}

QStringList header(const QString& declarant) {
    return {separator,
            QStringLiteral("Lista di controllo QUADRO SX 770/2004 Semplificato") +
                QString(35, QLatin1Char(' ')) + QStringLiteral("Pagina 1"),
            separator,
            declarant,
            separator,
            QStringLiteral("Rigo     Casella 1      Casella 2      Casella 3      Casella 4      "
                           "Casella 5      Casella 6"),
            separator};
}

QStringList closing(const QString& sx35) {
    return {QString(), sx35, separator};
}

// clang-format off
const QString zeroSx1 = QStringLiteral("SX1           0,00 ");
const QString zeroSx4 = QStringLiteral("SX4           0,00           0,00           0,00           0,00           0,00           0,00 ");
QString zeroRegionLine(int number) {
    return QStringLiteral("SX%1          0,00           0,00           0,00           0,00           0,00           0,00 ")
        .arg(number, -2);
}

// A full declarant: the summary row and SX5 to SX34, stored from the last key to the first.
const QStringList fullBody{
    "SX1        2500,00 ",
    "",
    "SX4        1000,00         250,50         749,50           0,00         100,00         649,50 ",
    "",
    "SX5           2,00           0,00           0,00           0,00           0,00          20,50 ",
    "SX6           3,00           0,00           0,00           0,00           0,00          30,50 ",
    "SX7           4,00           0,00           0,00           0,00           0,00          40,50 ",
    "SX8           5,00           0,00           0,00           0,00           0,00          50,50 ",
    "SX9           6,00           0,00           0,00           0,00           0,00          60,50 ",
    "SX10          7,00           0,00           0,00           0,00           0,00          70,50 ",
    "SX11          8,00           0,00           0,00           0,00           0,00          80,50 ",
    "SX12          9,00           0,00           0,00           0,00           0,00          90,50 ",
    "SX13         10,00           0,00           0,00           0,00           0,00         100,50 ",
    "SX14         11,00           0,00           0,00           0,00           0,00         110,50 ",
    "SX15         12,00           0,00           0,00           0,00           0,00         120,50 ",
    "SX16         13,00           0,00           0,00           0,00           0,00         130,50 ",
    "SX17         14,00           0,00           0,00           0,00           0,00         140,50 ",
    "SX18         15,00           0,00           0,00           0,00           0,00         150,50 ",
    "SX19         16,00           0,00           0,00           0,00           0,00         160,50 ",
    "SX20         17,00           0,00           0,00           0,00           0,00         170,50 ",
    "SX21         18,00           0,00           0,00           0,00           0,00         180,50 ",
    "SX22         19,00           0,00           0,00           0,00           0,00         190,50 ",
    "SX23         20,00           0,00           0,00           0,00           0,00         200,50 ",
    "SX24         21,00           0,00           0,00           0,00           0,00         210,50 ",
    "SX25         22,00           0,00           0,00           0,00           0,00         220,50 ",
    "SX26         23,00           0,00           0,00           0,00           0,00         230,50 ",
    "SX27         24,00           0,00           0,00           0,00           0,00         240,50 ",
    "SX28         25,00           0,00           0,00           0,00           0,00         250,50 ",
    "SX29         26,00           0,00           0,00           0,00           0,00         260,50 ",
    "SX30         27,00           0,00           0,00           0,00           0,00         270,50 ",
    "SX31         28,00           0,00           0,00           0,00           0,00         280,50 ",
    "SX32         29,00           0,00           0,00           0,00           0,00         290,50 ",
    "SX33         30,00           0,00           0,00           0,00           0,00         300,50 ",
    "SX34         31,00           0,00           0,00           0,00           0,00         310,50 ",
};
// clang-format on

// A printer that takes the document and refuses the job when it is sent.
class RefusingPrinterSink : public RecordingPrinterSink {
  public:
    void endDocument() override {
        throw PrinterError{QStringLiteral("La stampante ha rifiutato il lavoro.")};
    }
};

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }

    // Presses "Stampa lista di controllo" and returns the one document printed.
    QStringList print() {
        const qsizetype before = h->printed.size();
        h->boxes.answer({Ok});
        h->click(w()->CmdStLista);
        if (h->printed.size() != before + 1)
            return {QStringLiteral("(no document printed)")};
        return h->printed.last()->lines();
    }
    void verifyFinishedBoxOnly() {
        QCOMPARE(h->boxes.boxes.size(), 1);
        QCOMPARE(h->boxes.boxes.first().text, printFinished);
        QCOMPARE(h->boxes.boxes.first().style, 64);
        QCOMPARE(h->boxes.boxes.first().title, caption);
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", null, "M");
        h->archive.addDeclarant("O'K", "QU'OTE", null, null, "L'ALBERO", null);
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        QCOMPARE(h->boxes.pendingAnswers(), 0);
        QVERIFY(h->platform.endings.isEmpty());
        h.reset();
    }

    void printsExactlyWhatIsStored_data();
    void printsExactlyWhatIsStored();
    void fullDeclarantFillsOnePageOfFortyFourLines();
    void changesNotStoredAreNotPrinted();
    void aPrinterFailureKeepsThePendingChanges_data();
    void aPrinterFailureKeepsThePendingChanges();
};

void TestPrinting::printsExactlyWhatIsStored_data() {
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("taxCode");
    QTest::addColumn<StoredRows>("rows"); // what the store holds when the button is pressed
    QTest::addColumn<QStringList>("expected");

    const QString rossi = QStringLiteral("RSSMRA80A01H501U");
    // clang-format off
    QTest::newRow("no stored row")
        << "001" << rossi << StoredRows{}
        << header(rossiLine) + closing("SX35 ");
    QTest::newRow("no row 001: the first row printed is SX4, no marks")
        << "001" << rossi
        << StoredRows{{"002", "9", "5", "0", "0", "0", "0", "0", "1", "1", "1"},
                      {"003", "0", "0", "", null, "0", "0", "1,5", "1", "1", "1"}}
        << header(rossiLine) + QStringList{
               "SX4           5,00           0,00           0,00           0,00           0,00           0,00 ",
               "SX5           0,00                                         0,00           0,00           1,50 "}
               + closing("SX35 ");
    QTest::newRow("Null flags are not ticked")
        << "001" << rossi
        << StoredRows{{"001", "10", "1", "2", "3", "4", "5", "6", null, "1", null}}
        << header(rossiLine) + QStringList{
               "SX1          10,00 ",
               "",
               "SX4           1,00           2,00           3,00           4,00           5,00           6,00 ",
               ""}
               + closing("SX35                            X");
    QTest::newRow("amounts of 13 and 14 characters")
        << "001" << rossi
        << StoredRows{{"001", "1234567890", "12345678901", "-1234567890", "-123456789,5", "",
                       "9999999999,99", "0", "1", "0", "1"}}
        << header(rossiLine) + QStringList{
               "SX1  1234567890,00 ",
               "",
               "SX4  2345678901,00  1234567890,00  -123456789,50                 9999999999,99           0,00 ",
               ""}
               + closing("SX35             X                             X");
    QTest::newRow("quote in company and tax code")
        << "O'K" << "QU'OTE"
        << StoredRows{{"001", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
                      {"002", "0", "3", "0", "0", "0", "0", "0", "0", "0", "0"}}
        << header(quoteLine) + QStringList{
               zeroSx1, "", zeroSx4, "",
               "SX5           3,00           0,00           0,00           0,00           0,00           0,00 "}
               + closing("SX35 ");
    // clang-format on
}

void TestPrinting::printsExactlyWhatIsStored() {
    QFETCH(QString, company);
    QFETCH(QString, taxCode);
    QFETCH(StoredRows, rows);
    QFETCH(QStringList, expected);

    h->startAndChoose(company);
    // Opening made the declarant's rows; the store now holds just the case's rows.
    h->archive.exec(QStringLiteral("DELETE FROM QUADROSX WHERE CODAZI = ?"), {company});
    h->storeRows(company, tax16(taxCode), rows);

    QCOMPARE(print(), expected);
    verifyFinishedBoxOnly();
}

void TestPrinting::fullDeclarantFillsOnePageOfFortyFourLines() {
    const QString cf = tax16("RSSMRA80A01H501U");
    StoredRows rows;
    for (int k = 31; k >= 2; --k) // region rows carry fields the list never shows
        rows << QVariantList{WindowHarness::seq(k),
                             "1",
                             QString::number(k),
                             "0",
                             "0",
                             "0",
                             "0",
                             QString::number(k) + QStringLiteral("0,5"),
                             "1",
                             "1",
                             "1"};
    rows << QVariantList{"001", "2500",  "1000", "250,5", "749,5", "0",
                         "100", "649,5", "0",    "1",     "1"};
    h->storeRows("001", cf, rows);
    h->startAndChoose("001");

    const QStringList lines = print();

    QCOMPARE(lines.size(), 44);
    QCOMPARE(lines, header(rossiLine) + fullBody +
                        closing("SX35                            X              X"));
    const RecordingPrinterSink& document = *h->printed.last();
    QVERIFY(document.pageBreaks().isEmpty());
    QCOMPARE(document.events().first().text, QStringLiteral("Courier New"));
    QCOMPARE(document.events().first().pointSize, 9.0);
    QCOMPARE(document.events().last().kind, RecordingPrinterSink::Event::End);
    verifyFinishedBoxOnly();
}

void TestPrinting::changesNotStoredAreNotPrinted() {
    h->startAndChoose("001");
    // SX5 changed and confirmed, SX1 typed: both only in the window so far.
    h->openRegionRow(0);
    h->type(w()->Text1(12), "50");
    h->boxes.answer({No}); // no automatic box 6
    h->click(w()->cmdconferma);
    h->type(w()->Text1(1), "7");
    h->boxes.boxes.clear();

    QStringList expected = header(rossiLine) + QStringList{zeroSx1, "", zeroSx4, ""};
    for (int number = 5; number <= 34; ++number)
        expected << zeroRegionLine(number);
    QCOMPARE(print(), expected + closing("SX35 "));
    verifyFinishedBoxOnly();
    QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
    QCOMPARE(w()->Text1(1)->text(), QStringLiteral("7,00"));
    QCOMPARE(w()->TABELLASX.cell(2, 2), QStringLiteral("50,00"));
}

void TestPrinting::aPrinterFailureKeepsThePendingChanges_data() {
    QTest::addColumn<bool>("refusedJob"); // else there is no printer at all
    QTest::addColumn<QString>("shown");

    QTest::newRow("no printer") << false << "Errore di stampa\r\rNessuna stampante predefinita.";
    QTest::newRow("job refused") << true
                                 << "Errore di stampa\r\rLa stampante ha rifiutato il lavoro.";
}

void TestPrinting::aPrinterFailureKeepsThePendingChanges() {
    QFETCH(bool, refusedJob);
    QFETCH(QString, shown);

    if (refusedJob) {
        h->window.reset();
        auto refusing = []() -> std::unique_ptr<PrinterSink> {
            return std::make_unique<RefusingPrinterSink>();
        };
        h->window = std::make_unique<QUADROSX>(h->mod, Services{h->boxes, h->platform, refusing});
    } else {
        h->printerFailure = QStringLiteral("Nessuna stampante predefinita.");
    }
    h->startAndChoose("001");
    h->type(w()->Text1(1), "123");

    h->boxes.answer({Ok});
    h->click(w()->CmdStLista);

    QCOMPARE(h->boxes.boxes.size(), 1);
    QCOMPARE(h->boxes.boxes.first().text, shown);
    QCOMPARE(h->boxes.boxes.first().style, 16);
    QCOMPARE(h->boxes.boxes.first().title, caption);
    QVERIFY(!w()->ended());
    QVERIFY(w()->Frmmoduli(0)->isVisible());
    QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
    QCOMPARE(w()->Text1(1)->text(), QStringLiteral("123,00"));
    QVERIFY(!h->mod.RSQUERY || !h->mod.RSQUERY->isOpen());

    // The program goes on: the pending change can still be stored.
    h->boxes.answer({Yes});
    h->click(w()->cmdmemorizza);
    QCOMPARE(h->boxes.boxes.size(), 2);
    QCOMPARE(h->boxes.boxes.last().text, sx1Warning);
    QCOMPARE(h->storedRow("001", tax16("RSSMRA80A01H501U"), "001").first(),
             QStringLiteral("123,00"));
    QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"

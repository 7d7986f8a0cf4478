#include "windowharness.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QColor yellow(255, 255, 0);

QColor background(QLineEdit* box) {
    return box->palette().color(QPalette::Base);
}

QString tax16(const QString& code) {
    return code.leftJustified(16, QLatin1Char(' '));
}

} // namespace

class OpeningTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    // Stores row `seq` of a declarant with the given fields SX_1..SX_10 (a null QVariant is Null).
    void storeRow(const QString& company, const QString& tax, const QString& seq,
                  const QVariantList& fields) {
        QVariantList values{company, tax, seq};
        values += fields;
        h->archive.exec(
            QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, "
                           "SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) VALUES "
                           "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            values);
    }
    int storedRows(const QString& company) {
        return int(
            h->archive.rows(QStringLiteral("SELECT * FROM QUADROSX WHERE CODAZI = ?"), {company})
                .size());
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "01234567890", QVariant(), QVariant(), "ACME S.P.A.",
                                QVariant());
        h->archive.addDeclarant("002", "RSSMRA70A01H501U", "ROSSI", "MARIO", QVariant(), "P");
        h->archive.addDeclarant("O'K", "QU'OTE", QVariant(), QVariant(), "L'ALBERO", QVariant());
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void firstOpeningCreatesThirtyOneZeroRows() {
        h->start();
        h->open("001");
        const auto rows = h->archive.rows(QStringLiteral(
            "SELECT CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, "
            "SX_9, SX_10 FROM QUADROSX ORDER BY SEQ"));
        QCOMPARE(rows.size(), 31);
        for (int i = 0; i < 31; ++i) {
            QStringList expected{"001", tax16("01234567890"),
                                 QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0'))};
            for (int j = 0; j < 10; ++j)
                expected << "0";
            QCOMPARE(rows[i], expected);
        }
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(h->window->Text1(k)->text(), QStringLiteral("0,00"));
        for (int k = 8; k <= 10; ++k)
            QVERIFY(!h->window->Check1(k)->isChecked());
        QVERIFY(h->window->Frmmoduli(0)->isVisible());
        QVERIFY(h->window->Frmtestata->isVisible());
        QVERIFY(!h->window->FrmSelezione(0)->isVisible());
        QCOMPARE(h->window->LabAZI->text(), QStringLiteral(" 001"));
        QCOMPARE(h->window->LabCF->text(), QStringLiteral(" 01234567890"));
        QCOMPARE(h->window->LabCOGNODEN->text(), QStringLiteral(" ACME S.P.A."));
        QCOMPARE(h->window->CFCORRENTE, tax16("01234567890"));
        QCOMPARE(h->window->List2->count(), 30);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        QCOMPARE(h->window->FLAGVARIAZRIGO, qint16(0));
        QCOMPARE(h->window->focusWidget(), h->window->Text1(1));
    }

    void storedSummaryRowIsShownAndMismatchesAreYellow() {
        const QString tax = tax16("01234567890");
        // SX4 box 1 matches its column (10,50 - 0,50), box 2 is one cent off, box 3 has an
        // all-zero column, box 4 holds a text that is no amount against a non-zero column
        storeRow("001", tax, "001",
                 {"12,00", "10,00", "5,01", "99,00", "abc", "", QVariant(), "2", "1", "x"});
        storeRow("001", tax, "002", {"7", "10,50", "5", "0", "1", "0", "0", "1", "1", "1"});
        storeRow("001", tax, "031", {"0", "-0,50", "0", "0", "2,5", "0", "0", "0", "0", "0"});
        h->start();
        h->open("001");
        const QStringList shown{"12,00", "10,00", "5,01", "99,00", "abc", "", ""};
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(h->window->Text1(k)->text(), shown[k - 1]);
        const QList<bool> marked{false, false, true, false, true, false, false};
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(background(h->window->Text1(k)) == yellow, marked[k - 1]);
        QCOMPARE(h->window->FLAGTOTALI, qint16(1));
        QVERIFY(!h->window->Check1(8)->isChecked());
        QVERIFY(h->window->Check1(9)->isChecked());
        QVERIFY(!h->window->Check1(10)->isChecked());
        // only the stored values of columns 2-7 of the region rows reach the table
        QCOMPARE(h->window->TABELLASX.cell(2, 1), QStringLiteral("0"));
        QCOMPARE(h->window->TABELLASX.cell(2, 8), QStringLiteral("0"));
        QCOMPARE(h->window->TABELLASX.cell(2, 2), QStringLiteral("10,50"));
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        QCOMPARE(storedRows("001"), 3);
        // columns 10,00 + 5 + 0 + 3,5 + 0 + 0, then SX1 12 and the SX4 texts 10 + 5,01 + 99
        // (abc and empty count 0) and one ticked flag
        QCOMPARE(h->window->TOTALEQUADRO, 10.0 + 5 + 3.5 + 12 + 10 + 5.01 + 99 + 1);
    }

    void onlyBlanksAreTrimmedWhenLoading() {
        const QString tax = tax16("01234567890");
        const QString tabbed = QStringLiteral("\t5"), noBreak = QStringLiteral("\u00a07 ");
        storeRow("001", tax, "001", {tabbed, noBreak, "0", "0", "0", "0", "0", "0", "0", "0"});
        h->start();
        h->open("001");
        QCOMPARE(h->window->Text1(1)->text(), tabbed);
        QCOMPARE(h->window->Text1(2)->text(), QStringLiteral("\u00a07"));
        // Neither is an amount: both count as 0 and are stored as 0.
        h->click(h->window->Check1(8));
        h->click(h->window->cmdmemorizza);
        QCOMPARE(h->storedRow("001", tax, "001").mid(0, 2), (QStringList{"0", "0"}));
    }

    void aRowClickShowsItsAmounts() {
        const QString tax = tax16("01234567890");
        storeRow("001", tax, "001", {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        storeRow("001", tax, "007",
                 {"0", "1", "2,5", "-3", "1234567,891", "", "x1", "0", "0", "0"});
        h->start();
        h->open("001");
        QVERIFY(!h->window->cmdelimina->isEnabled());
        h->clickRegionRow(5); // SX10
        QCOMPARE(h->window->Label2(18)->text(), QStringLiteral("SX10"));
        QCOMPARE(h->window->SEQCORRENTE, QStringLiteral("007"));
        const QStringList shown{"1,00", "2,50", "-3,00", "1234567,89", "", "x1"};
        for (int j = 0; j < 6; ++j)
            QCOMPARE(h->window->Text1(12 + j)->text(), shown[j]);
        QVERIFY(h->window->cmdelimina->isEnabled());
        QVERIFY(!h->window->Frameimporti->isEnabled());
        h->clickRegionRow(0);
        QCOMPARE(h->window->Label2(18)->text(), QStringLiteral("SX5 "));
        QCOMPARE(h->window->SEQCORRENTE, QStringLiteral("002"));
        for (int j = 0; j < 6; ++j)
            QCOMPARE(h->window->Text1(12 + j)->text(), QStringLiteral("0,00"));
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
    }

    void keysWithQuotesAndShortTaxCodesAreFound_data() {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("name");
        QTest::newRow("quotes") << "O'K"
                                << "QU'OTE"
                                << " L'ALBERO";
        QTest::newRow("11 characters") << "001"
                                       << "01234567890"
                                       << " ACME S.P.A.";
    }
    void keysWithQuotesAndShortTaxCodesAreFound() {
        QFETCH(QString, company);
        QFETCH(QString, tax);
        QFETCH(QString, name);
        storeRow(company, tax16(tax), "001", {"1,00", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
        h->start();
        h->open(company);
        QCOMPARE(h->window->Text1(1)->text(), QStringLiteral("1,00"));
        QCOMPARE(storedRows(company), 1); // found: nothing created
        QCOMPARE(h->window->LabCOGNODEN->text(), name);
    }

    void partlyStoredDeclarantKeepsMissingRowsAtZeroAndCreatesNothing() {
        const QString tax = tax16("RSSMRA70A01H501U");
        storeRow("002", tax, "002", {"0", "4,00", "0", "0", "0", "0", "0", "0", "0", "0"});
        storeRow("002", tax, "016", {"0", "6,00", "0", "0", "0", "0", "0", "0", "0", "0"});
        h->start();
        h->open("002");
        QCOMPARE(storedRows("002"), 2);
        QCOMPARE(h->window->TABELLASX.cell(1, 2), QStringLiteral("0"));
        QCOMPARE(h->window->Text1(2)->text(), QStringLiteral("0,00"));
        QCOMPARE(background(h->window->Text1(2)), yellow); // 0 against a column of 10,00
        QCOMPARE(h->window->TABELLASX.cell(5, 2), QStringLiteral("0"));
        QCOMPARE(h->window->LabCOGNODEN->text(), QStringLiteral(" ROSSI MARIO"));
    }

    void doubleClickOnNoLineDoesNothing() {
        h->start();
        h->window->List1->setCurrentRow(-1);
        QTest::mouseDClick(h->window->List1->viewport(), Qt::LeftButton, {},
                           QPoint(5, h->window->List1->viewport()->height() - 5));
        QVERIFY(h->window->FrmSelezione(0)->isVisible());
        QCOMPARE(storedRows("001") + storedRows("002"), 0);
    }

    void failureWhileCreatingRowsLeavesNoRow() {
        h->archive.exec(
            QStringLiteral("CREATE TRIGGER fail_16 BEFORE INSERT ON QUADROSX WHEN NEW.SEQ = '016' "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        h->boxes.answer({MessageBoxes::Ok});
        h->start();
        h->open("001");
        QCOMPARE(h->boxes.boxes.size(), 1);
        QVERIFY(h->boxes.boxes[0].text.contains(QStringLiteral("disk full")));
        QCOMPARE(h->platform.endings, QList<int>{1});
        QCOMPARE(storedRows("001"), 0);
    }

    void anotherCompanyGoesBackToTheListWithoutAsking() {
        h->start();
        QTest::mouseClick(h->window->Option2(1), Qt::LeftButton);
        h->open("002");
        QTest::mouseClick(h->window->cmdselprec(1), Qt::LeftButton);
        QVERIFY(h->window->FrmSelezione(0)->isVisible());
        QVERIFY(!h->window->Frmmoduli(0)->isVisible());
        QVERIFY(!h->window->Frmtestata->isVisible());
        QVERIFY(h->boxes.boxes.isEmpty());
        QVERIFY(h->window->Option2(1)->isChecked());
        QCOMPARE(h->window->List1->item(0)->text().left(3), QStringLiteral("001")); // by tax code
        QCOMPARE(h->window->List1->selectedItems().size(), 0);
        h->open("O'K");
        QCOMPARE(h->window->LabAZI->text(), QStringLiteral(" O'K"));
        QCOMPARE(storedRows("O'K"), 31);
    }
};

QTEST_MAIN(OpeningTest)
#include "tst_opening.moc"

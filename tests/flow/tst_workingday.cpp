#include "windowharness.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// A clerk's working day through the real window. In the morning ROSSI MARIO's Schedule SX is
// entered for the first time: the summary boxes, four region rows through the row checks, the
// totals recalculated, stored past the field checks and printed. Then ACME S.P.A., stored on an
// earlier day, is changed and the clerk leaves the program with a region row still open.

namespace {

const QString caption = QStringLiteral(
    " Gestione Modello 770/2004 (Semplificato) - Gestione Quadro SX - Riepilogo delle "
    "compensazioni");
const QString saveQuestion = QStringLiteral("Sono state effettuate delle variazioni\rSalvare ?");
const QString box6Offer = QStringLiteral(
    "Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede il rimborso");
const QString printFinished =
    QStringLiteral("Stampa - Lista di controllo quadro SX .... Terminata");
constexpr int Ok = MessageBoxes::Ok, Yes = MessageBoxes::Yes, No = MessageBoxes::No;

// Long warnings are known by their opening lines.
const QString attention = QStringLiteral("ATTENZIONE!!!!\r\rIl campo ");
const QString sx4Warning = QStringLiteral("ATTENZIONE !!!!\rControllo campi SX4\r");
const QString sx1Warning = QStringLiteral("ATTENZIONE !!!!\rControllo campo SX1 casella 1\r");
const QString rule1 =
    attention + "Credito risultante dalla dichiarazione relativa al 2002 da mod. F24\r";
const QString rule2 = attention + "Credito da utilizzare in compensazione\r";

// A message box the window shows, its style, and the clerk's answer to it.
struct Asked {
    QString text;
    int style;
    int answer;
};

// ACME's rows as stored on an earlier day (SEQ, SX_1..SX_10); the others are zeros. SX1 holds a
// tab, which loading keeps; SX4 box 3, 90,00, already disagrees with its column, 60,00 + 40,00.
const QStringList acmeEarlier{"001 \t5 300,00 0,00 90,00 0,00 0,00 0,00 0 0 0",
                              "002 0 300,00 0,00 60,00 0,00 0,00 0,00 0 0 0",
                              "012 0 0,00 0,00 40,00 0,00 0,00 0,00 0 0 0"};

} // namespace

Q_DECLARE_METATYPE(Asked)

class TestWorkingDay : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }
    int presses = 0;

    // Presses a button with the answers scripted and checks every box it showed: text, style and
    // title. Nothing may have been shown unasked since the step before.
    void press(QWidget* button, const QList<Asked>& asked = {}) {
        QCOMPARE(h->boxes.texts(), QStringList());
        QStringList expected, shown;
        for (const Asked& box : asked) {
            expected << QString::number(box.style) + ' ' + box.text;
            h->boxes.answer({box.answer});
        }
        // Every other button is chosen by Enter or keypad Enter, with the focus on it.
        button->setFocus(Qt::TabFocusReason);
        if (++presses % 2 == 1)
            h->click(button);
        else
            QTest::keyClick(button, presses % 4 ? Qt::Key_Return : Qt::Key_Enter,
                            presses % 4 ? Qt::NoModifier : Qt::KeypadModifier);
        for (int i = 0; i < h->boxes.boxes.size(); ++i) {
            const auto& box = h->boxes.boxes.at(i);
            const qsizetype length = i < asked.size() ? asked.at(i).text.size() : -1;
            shown << (box.title != caption
                          ? box.title
                          : QString::number(box.style) + ' ' + box.text.left(length));
        }
        QCOMPARE(shown, expected);
        QCOMPARE(h->boxes.unexpected, 0);
        h->boxes.boxes.clear();
    }
    // Opens a region row (0 = SX5; -1: the row still open), types boxes 1 to 6 ("" leaves a box
    // alone) and confirms; a refused row stays open on the yellow box `refused`.
    void work(int line, const QStringList& keys, const QList<Asked>& asked, int refused = 0) {
        if (line >= 0)
            h->openRegionRow(line);
        h->typeBoxes(12, keys);
        press(w()->cmdconferma, asked);
        QCOMPARE(w()->Frameimporti->isEnabled(), refused != 0);
        if (refused != 0) {
            QCOMPARE(yellow(refused + 11), true);
            QCOMPARE(w()->focusWidget(), w()->Text1(refused + 11));
        }
    }
    bool yellow(int box) { return w()->Text1(box)->palette().color(QPalette::Base) == Qt::yellow; }
    QString boxes(int first, int last) {
        QStringList texts;
        for (int i = first; i <= last; ++i)
            texts << w()->Text1(i)->text();
        return texts.join(' ');
    }
    QString ticks() {
        QString marks;
        for (int i = 8; i <= 10; ++i)
            marks += w()->Check1(i)->isChecked() ? 'X' : '-';
        return marks;
    }
    // A declarant's rows other than the zeros they were made with, and FR_46 at the end. Fails
    // unless there are 31 rows.
    QStringList stored(const QString& company) {
        QStringList rows;
        const auto all = h->archive.rows(
            "SELECT SEQ || ' ' || SX_1 || ' ' || SX_2 || ' ' || SX_3 || ' ' || SX_4 || ' ' || SX_5 "
            "|| ' ' || SX_6 || ' ' || SX_7 || ' ' || SX_8 || ' ' || SX_9 || ' ' || SX_10 FROM "
            "QUADROSX WHERE CODAZI = ? ORDER BY SEQ",
            {company});
        for (const QStringList& row : all)
            if (row.first().mid(4) != QStringLiteral("0 0 0 0 0 0 0 0 0 0"))
                rows << row.first();
        const auto front =
            h->archive.rows("SELECT FR_46 FROM FRONTESPIZIO WHERE CODAZI = ?", {company});
        return rows << QString::number(all.size()) + " rows, FR_46 " + front.first().first();
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", QVariant(), "M");
        h->archive.addDeclarant("002", "01234567890", QVariant(), QVariant(), "ACME S.P.A.", "");
        QList<QVariantList> rows;
        for (int i = 1; i <= 31; ++i) {
            QStringList fields = QStringList{WindowHarness::seq(i)} + QStringList(10, "0");
            for (const QString& row : acmeEarlier)
                if (row.startsWith(fields.first()))
                    fields = row.split(' ');
            rows << QVariantList(fields.cbegin(), fields.cend());
        }
        // ACME's tax code has 11 characters; each day keys it with or without blanks.
        h->storeRows("002", "01234567890     ", rows);
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        QCOMPARE(h->boxes.texts(), QStringList());
        h.reset();
    }

    void workingDay_data();
    void workingDay();
};

void TestWorkingDay::workingDay_data() {
    // What "Uscita" asks with ACME's changes pending: "Sì" stores them, "Annulla" stays.
    QTest::addColumn<QList<Asked>>("leaving");
    QTest::addColumn<bool>("suiteRunning"); // its window is found, else the suite is started
    // ACME's tax code as another program stored it, in the front page and in the rows: with or
    // without the 5 blanks of its 16-character form.
    QTest::addColumn<QString>("acmeTaxCode");

    const QString blanks = QStringLiteral("01234567890     "), bare = QStringLiteral("01234567890");
    QTest::newRow("Cancel stays") << QList<Asked>{{saveQuestion, 35, MessageBoxes::Cancel}} << false
                                  << bare;
    QTest::newRow("No leaves without storing, to the suite's window")
        << QList<Asked>{{saveQuestion, 35, No}} << true << blanks;
    // Storing takes in the open row, then finds SX4 boxes 1 and 3 off their columns.
    const QList<Asked> yes{{saveQuestion, 35, Yes}, {box6Offer, 36, No}, {sx4Warning, 36, Yes}};
    QTest::newRow("Yes stores, leaves and starts the suite") << yes << false << blanks;
    QTest::newRow("Yes stores the rows kept without blanks") << yes << true << bare;
}

void TestWorkingDay::workingDay() {
    QFETCH(QList<Asked>, leaving);
    QFETCH(bool, suiteRunning);
    QFETCH(QString, acmeTaxCode);
    const bool leaves = leaving.first().answer != MessageBoxes::Cancel;
    const bool acmeStored = leaving.first().answer == Yes;
    for (const QString table : {"FRONTESPIZIO", "QUADROSX"})
        h->archive.exec("UPDATE " + table + " SET CFD = ? WHERE CODAZI = '002'", {acmeTaxCode});

    const QString dayTotals = QStringLiteral("1350,50 350,00 80,00 325,75 505,00 265,50");
    const QStringList rossiStored{"001 80,00 " + dayTotals + " 1 0 1",
                                  "002 0 1200,50 200,00 0,00 300,00 450,00 250,50 0 0 0",
                                  "010 0 100,00 150,00 80,00 0,00 20,00 10,00 0 0 0",
                                  "027 0 40,00 0,00 0,00 0,00 35,00 5,00 0 0 0",
                                  "031 0 10,00 0,00 0,00 25,75 0,00 0,00 0 0 0",
                                  "31 rows, FR_46 1"};
    const QStringList acmeBefore = acmeEarlier + QStringList{"31 rows, FR_46 "};

    // Start-up: the declarant list, nothing asked.
    if (suiteRunning)
        h->platform.windows << QStringLiteral("7702004");
    h->start();
    QCOMPARE(w()->windowTitle(), caption);
    QCOMPARE(w()->List1->item(1)->text(), QStringLiteral("002 01234567890      ACME S.P.A."));

    // ROSSI, opened for the first time: 31 rows of zeros are made.
    h->open("001");
    QCOMPARE(w()->LabCOGNODEN->text() + w()->LabCF->text(), " ROSSI MARIO RSSMRA80A01H501U");
    QCOMPARE(boxes(1, 7), "0,00 0,00 0,00 0,00 0,00 0,00 0,00");
    QCOMPARE(w()->focusWidget(), w()->Text1(1));
    QCOMPARE(stored("001"), QStringList{"31 rows, FR_46 "});

    // The summary row typed from the paper return, two SX35 flags ticked.
    h->typeBoxes(1, {"1500", "1300.5", "350", "80", "325,75", "470", "255,5"});
    h->click(w()->Check1(8));
    h->click(w()->Check1(10));
    QCOMPARE(boxes(1, 7), "1500,00 1300,50 350,00 80,00 325,75 470,00 255,50");

    // SX5: box 6 worked out, 1200,50 - 200 + 0 - 300 - 450.
    work(0, {"1200.5", "200", "", "300", "450", ""}, {{box6Offer, 36, Yes}});
    // SX13: box 2 over box 1 accepted; rules 2 and 3 meet their bounds exactly.
    work(8, {"100", "150", "80", "", "20", "10"}, {{box6Offer, 36, No}, {rule1, 36, Yes}});
    // SX34: box 6 worked out below zero, 10 - 25,75, and set to zero.
    const QString belowZero = "Attenzione !!!\rImporto di cui si chiede il rimborso ( -15,75 )\r";
    work(29, {"10", "", "", "25,75", "", ""}, {{box6Offer, 36, Yes}, {belowZero, 64, Ok}});
    h->clickRegionRow(0); // a click shows a confirmed row again
    QCOMPARE(boxes(12, 17), "1200,50 200,00 0,00 300,00 450,00 250,50");

    press(w()->Cmdtotali);
    QCOMPARE(boxes(1, 7), "1500,00 1310,50 350,00 80,00 325,75 470,00 260,50");

    // SX30 refused by rule 2 (60 > 40), then box 5 corrected to 35 and box 6 worked out.
    work(25, {"40", "", "", "", "60", ""}, {{box6Offer, 36, No}, {rule2, 36, No}}, 5);
    h->click(w()->Text1(15)); // leaving box 5 writes its 60,00 again: a change, it turns white
    QVERIFY(!yellow(16));
    work(-1, {"", "", "", "", "\b35", ""}, {{box6Offer, 36, Yes}});

    // Storing: SX4 boxes 1, 5 and 6 miss SX30 and are recalculated; SX1 then exceeds SX4 box 3
    // and the clerk stops to correct it. Nothing is written.
    press(w()->cmdmemorizza, {{sx4Warning, 36, Yes}, {sx1Warning, 36, No}});
    QCOMPARE(boxes(2, 7), dayTotals);
    QVERIFY(yellow(1));
    QCOMPARE(w()->focusWidget(), w()->Text1(1));
    QCOMPARE(stored("001"), QStringList{"31 rows, FR_46 "});
    h->type(w()->Text1(1), "\b80");
    QVERIFY(!yellow(1));
    h->clickRegionRow(25);
    press(w()->cmdmemorizza);
    QCOMPARE(stored("001"), rossiStored);
    // Storing reloads the boxes and SX30 stays the current line: opening it shows its amounts.
    h->openRegionRow(25);
    QCOMPARE(boxes(12, 17), "40,00 0,00 0,00 0,00 35,00 5,00");
    press(w()->Cmdannulla);
    QCOMPARE(boxes(1, 7) + ' ' + ticks(), "80,00 " + dayTotals + " X-X"); // shown as stored

    press(w()->CmdStLista, {{printFinished, 64, Ok}});
    QCOMPARE(h->printed.size(), 1);
    const QStringList list = h->printed.first();
    QCOMPARE(list.at(3), "Azienda 001 ROSSI MARIO Codice fiscale  RSSMRA80A01H501U");
    QCOMPARE(list.at(7) + list.at(9).simplified(), "SX1          80,00 SX4 " + dayTotals);
    QCOMPARE(list.at(19).simplified(), "SX13 100,00 150,00 80,00 0,00 20,00 10,00");
    QCOMPARE(list.mid(40, 3).join('|').simplified(),
             "SX34 10,00 0,00 0,00 25,75 0,00 0,00 ||SX35 X X");

    // A tick alone is a change: going back to the list asks, and No drops it.
    h->click(w()->Check1(9));
    press(w()->cmdselprec(1), {{saveQuestion, 35, No}});
    QVERIFY(w()->FrmSelezione(0)->isVisible() && !w()->Frmmoduli(0)->isVisible());
    QCOMPARE(w()->List1->selectedItems().size(), 0);

    // ACME, stored on an earlier day: SX4 box 3 is marked as soon as it is shown, and its list
    // prints every stored row.
    h->open("002");
    QCOMPARE(w()->LabCOGNODEN->text() + w()->LabCF->text(), " ACME S.P.A. 01234567890");
    QCOMPARE(boxes(1, 7) + ' ' + ticks(), "\t5 300,00 0,00 90,00 0,00 0,00 0,00 ---");
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(yellow(i), i == 4);
    press(w()->CmdStLista, {{printFinished, 64, Ok}});
    QCOMPARE(h->printed.last().size(), 44);
    QCOMPARE(h->printed.last().at(21).simplified(), "SX15 0,00 0,00 40,00 0,00 0,00 0,00");
    press(w()->cmdmemorizza); // nothing changed yet: nothing is checked or stored
    // SX1 and a tick changed, then SX15 left open while typing in it.
    h->type(w()->Text1(1), "\b75");
    h->click(w()->Check1(9));
    // A printer that fails is reported and the changes stay.
    h->printerFailure = QStringLiteral("Nessuna stampante predefinita.");
    press(w()->CmdStLista, {{"Errore di stampa\r\rNessuna stampante predefinita.", 16, Ok}});
    h->openRegionRow(10);
    h->typeBoxes(12, {"20", "", "\b55"});

    press(w()->cmduscita(0), leaving);
    QCOMPARE(stored("001"), rossiStored);
    // Storing recalculates SX4 box 1 as 300 + 20 and box 3 as 60 + 55.
    const QStringList acmeChanged{"001 75,00 320,00 0,00 115,00 0,00 0,00 0,00 0 1 0",
                                  acmeEarlier.at(1), "012 0 20,00 0,00 55,00 0,00 0,00 0,00 0 0 0",
                                  "31 rows, FR_46 1"};
    QCOMPARE(stored("002"), acmeStored ? acmeChanged : acmeBefore);
    QCOMPARE(h->platform.endings, leaves ? QList<int>{0} : QList<int>());
    if (leaves) {
        QCOMPARE(h->platform.activated, QStringList{"7702004"});
        const QString suite = h->archive.programs() + "/7702004.EXE";
        QCOMPARE(h->platform.started, suiteRunning ? QStringList() : QStringList{suite});
        QVERIFY(!w()->isVisible());
    } else { // the clerk stays with the changes on the screen, the row still open
        QCOMPARE(boxes(1, 7) + ' ' + ticks(), "75,00 300,00 0,00 90,00 0,00 0,00 0,00 -X-");
        QVERIFY(w()->Frameimporti->isEnabled());
    }
}

QTEST_MAIN(TestWorkingDay)
#include "tst_workingday.moc"

// The window as drawn: every control in its container, at its place, with its caption and its
// initial enabled state, and the keyboard order of the two panes.
#include "app/commandline.h"
#include "app/qtmessageboxes.h"
#include "ui_quadrosx.h"

#include <memory>
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QtTest>

namespace {

struct Form {
    Form() { ui.setupUi(&window); }
    template <typename T = QWidget> T* control(const QString& name) const {
        return window.findChild<T*>(name);
    }
    QMainWindow window;
    Ui::QUADROSX ui;
};

QString captionOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    return {};
}

QStringList names(const QString& prefix, std::initializer_list<int> indices) {
    QStringList list;
    for (int index : indices)
        list << prefix + QString::number(index);
    return list;
}

const QString widest = QStringLiteral("+1234567890,99");

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init() { form = std::make_unique<Form>(); }

    void controlsAreWhereTheyAreDrawn_data();
    void controlsAreWhereTheyAreDrawn();
    void amountBoxesTakeTheWidestAmountRightAligned_data();
    void amountBoxesTakeTheWidestAmountRightAligned();
    void onlyTheFourteenAmountBoxesExist();
    void buttonsShowTheirPicture_data();
    void buttonsShowTheirPicture();
    void windowHasItsCaptionAndIcon();
    void keyboardOrderOfEachPane_data();
    void keyboardOrderOfEachPane();
    void tabSkipsTheRowEditorWhileItIsClosed_data();
    void tabSkipsTheRowEditorWhileItIsClosed();
    void messageBoxButtonsAreItalian_data();
    void messageBoxButtonsAreItalian();
    void releaseIsReadFromTheRawCommandLine_data();
    void releaseIsReadFromTheRawCommandLine();

  private:
    std::unique_ptr<Form> form;
};

void WindowLayoutTest::initTestCase() {
    Q_INIT_RESOURCE(quadrosx);
}

void WindowLayoutTest::controlsAreWhereTheyAreDrawn_data() {
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");

    const auto row = [](const char* name, const char* container, QRect geometry,
                        const QString& caption = {}, bool enabled = true) {
        QTest::newRow(name) << QString::fromLatin1(container) << geometry << caption << enabled;
    };
    // Pixels are twips divided by 15, the fraction dropped. A line is 3 pixels high and is drawn
    // along its middle row, from its left edge to its right edge.
    row("Frmtestata", "centralwidget", {8, 14, 783, 41});
    row("Label2_3", "Frmtestata", {8, 14, 59, 19}, "Dichiarante");
    row("LabCOGNODEN", "Frmtestata", {66, 14, 477, 19});
    row("Label5_0", "Frmtestata", {544, 14, 25, 19}, "C.F.");
    row("LabCF", "Frmtestata", {570, 14, 131, 19});
    row("Label8", "Frmtestata", {702, 14, 33, 19}, "Ditta ");
    row("LabAZI", "Frmtestata", {736, 14, 39, 19});

    row("FrmSelezione_0", "centralwidget", {8, 60, 783, 386});
    row("Label1_0", "FrmSelezione_0", {14, 22, 743, 23},
        " Gestione Quadro SX - Riepilogo delle compensazioni");
    row("Label2_4", "FrmSelezione_0", {14, 52, 745, 23}, "Lista aziende presenti nel frontespizio");
    row("Label1_1", "FrmSelezione_0", {14, 76, 745, 19},
        " Azienda - Codice fiscale - Denominazione/Nominativo");
    row("List1", "FrmSelezione_0", {14, 96, 745, 228});
    row("cmduscita_1", "FrmSelezione_0", {14, 332, 135, 51}, "Uscita");
    row("Frame1", "FrmSelezione_0", {150, 326, 365, 57});
    row("Label4", "FrmSelezione_0", {518, 332, 241, 51},
        "Selezionare azienda con un doppio click del mouse");
    row("Label6", "Frame1", {8, 12, 121, 13}, "Tipo ordinamento per");
    row("Option2_0", "Frame1", {8, 32, 95, 15}, "codice azienda");
    row("Option2_1", "Frame1", {112, 30, 91, 19}, "codice fiscale");
    row("Option2_2", "Frame1", {210, 32, 147, 13}, "denominazione/nominativo");

    row("Frmmoduli_0", "centralwidget", {8, 60, 783, 443});
    row("Label1_5", "Frmmoduli_0", {10, 18, 765, 19},
        " Gestione Quadro SX - Riepilogo delle compensazioni");
    row("Label2_1", "Frmmoduli_0", {18, 48, 581, 17},
        "SX1  Importo restituito dal sostituto senza utilizzare ritenute di lavoro dipendente "
        "relative al 2003");
    row("Text1_1", "Frmmoduli_0", {662, 42, 113, 21}, widest);
    row("Line1_0", "Frmmoduli_0", {10, 67, 767, 3});
    row("Label2_11", "Frmmoduli_0", {18, 72, 69, 41}, "SX4  Importo complessivo ");
    row("Cmdtotali", "Frmmoduli_0", {8, 114, 73, 37}, "Ricalcola totali");
    row("testate3_2", "Frmmoduli_0", {94, 74, 109, 37},
        "Credito risultante dalla dichiarazione relativa al 2002");
    row("testate3_3", "Frmmoduli_0", {206, 74, 109, 53},
        "Credito risultante dalla dichiarazione relativa al 2002 utilizzato nel mod. F24");
    row("testate3_4", "Frmmoduli_0", {318, 74, 109, 37},
        "Versamenti 2003 in eccesso e restituzioni effettuate dal sostituto");
    row("testate3_5", "Frmmoduli_0", {430, 74, 109, 37},
        "Ammontare utilizzato a scomputo dei versamenti 2003");
    row("testate3_6", "Frmmoduli_0", {542, 74, 109, 37}, "Credito da utilizzare in compensazione");
    row("testate3_7", "Frmmoduli_0", {654, 74, 109, 39}, "Importo di cui si chiede il rimborso");
    row("Text1_2", "Frmmoduli_0", {84, 128, 113, 21}, widest);
    row("Text1_3", "Frmmoduli_0", {198, 128, 113, 21}, widest);
    row("Text1_4", "Frmmoduli_0", {312, 128, 113, 21}, widest);
    row("Text1_5", "Frmmoduli_0", {426, 128, 113, 21}, widest);
    row("Text1_6", "Frmmoduli_0", {540, 128, 113, 21}, widest);
    row("Text1_7", "Frmmoduli_0", {654, 128, 113, 21}, widest);
    row("Line2", "Frmmoduli_0", {10, 153, 763, 3});
    row("Frameregioni", "Frmmoduli_0", {10, 156, 765, 201});
    row("Line1_2", "Frmmoduli_0", {12, 361, 763, 3});
    row("Label2_19", "Frmmoduli_0", {20, 368, 201, 13}, "SX35  Regioni a statuto speciale");
    row("Check1_8", "Frmmoduli_0", {276, 368, 39, 15}, "VA");
    row("Check1_9", "Frmmoduli_0", {388, 368, 39, 15}, "SA");
    row("Check1_10", "Frmmoduli_0", {500, 368, 39, 15}, "SI");
    row("Line1_1", "Frmmoduli_0", {12, 387, 763, 3});
    row("CmdStLista", "Frmmoduli_0", {224, 396, 159, 39}, "Stampa lista di controllo");
    row("cmdselprec_1", "Frmmoduli_0", {386, 396, 125, 39}, "Altra Azienda");
    row("cmduscita_0", "Frmmoduli_0", {512, 396, 137, 39}, "Uscita");
    row("cmdmemorizza", "Frmmoduli_0", {648, 396, 125, 39}, "Memorizza");

    row("List2", "Frameregioni", {8, 16, 273, 102});
    row("Shape1", "Frameregioni", {286, 16, 469, 41});
    row("Label2_0", "Frameregioni", {294, 22, 459, 13},
        "Un click del mouse su una voce della lista per visualizzarne i valori. ");
    row("Label2_2", "Frameregioni", {294, 38, 457, 13},
        "Due click del mouse su una voce della lista per modificarne i valori. ");
    row("cmdelimina", "Frameregioni", {380, 62, 125, 59}, "Elimina importi", false);
    row("Cmdannulla", "Frameregioni", {506, 62, 125, 59}, "Annulla inserimento/variazione rigo",
        false);
    row("cmdconferma", "Frameregioni", {632, 62, 125, 59}, "Conferma rigo", false);
    row("Frameimporti", "Frameregioni", {6, 118, 753, 79}, {}, false);

    row("testate3_12", "Frameimporti", {54, 10, 109, 37},
        "Credito risultante dalla dichiarazione relativa al 2002");
    row("testate3_13", "Frameimporti", {168, 10, 109, 39},
        "Credito risultante dalla dichiarazione relativa al 2002 da mod. F24");
    row("testate3_14", "Frameimporti", {286, 12, 105, 37},
        "Versamenti 2003 in eccesso e restituzioni effettuate dal sostituto");
    row("testate3_15", "Frameimporti", {404, 10, 105, 37},
        "Ammontare utilizzato a scomputo dei versamenti 2003");
    row("testate3_16", "Frameimporti", {520, 10, 109, 27},
        "Credito da utilizzare in compensazione");
    row("testate3_17", "Frameimporti", {632, 12, 109, 29}, "Importo di cui si chiede il rimborso");
    row("Label2_18", "Frameimporti", {4, 52, 39, 21});
    row("Text1_12", "Frameimporti", {44, 52, 116, 21}, widest);
    row("Text1_13", "Frameimporti", {162, 52, 116, 21}, widest);
    row("Text1_14", "Frameimporti", {280, 52, 116, 21}, widest);
    row("Text1_15", "Frameimporti", {398, 52, 116, 21}, widest);
    row("Text1_16", "Frameimporti", {516, 52, 116, 21}, widest);
    row("Text1_17", "Frameimporti", {634, 52, 116, 21}, widest);
}

void WindowLayoutTest::controlsAreWhereTheyAreDrawn() {
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);

    const QWidget* control = form->control(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(captionOf(control), caption);
    QCOMPARE(control->isEnabledTo(control->parentWidget()), enabled);
}

void WindowLayoutTest::amountBoxesTakeTheWidestAmountRightAligned_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : names("Text1_", {1, 2, 3, 4, 5, 6, 7, 12, 13, 14, 15, 16, 17}))
        QTest::newRow(qPrintable(name)) << name;
}

void WindowLayoutTest::amountBoxesTakeTheWidestAmountRightAligned() {
    QFETCH(QString, name);
    QLineEdit* box = form->control<QLineEdit>(name);
    QVERIFY(box);
    QCOMPARE(box->maxLength(), 14);
    QVERIFY(box->alignment() & Qt::AlignRight);
    QCOMPARE(box->font().family(), QStringLiteral("Courier New"));
    box->setText(widest + QStringLiteral("9"));
    QCOMPARE(box->text(), widest);
}

void WindowLayoutTest::onlyTheFourteenAmountBoxesExist() {
    QStringList found;
    for (const QLineEdit* box : form->window.findChildren<QLineEdit*>())
        found << box->objectName();
    found.sort();
    QStringList expected = names("Text1_", {1, 2, 3, 4, 5, 6, 7, 12, 13, 14, 15, 16, 17});
    expected.sort();
    QCOMPARE(found, expected);
}

void WindowLayoutTest::buttonsShowTheirPicture_data() {
    QTest::addColumn<bool>("picture");
    for (const char* name : {"cmduscita_0", "cmduscita_1", "cmdselprec_1", "CmdStLista",
                             "cmdmemorizza", "cmdelimina", "Cmdannulla", "cmdconferma"})
        QTest::newRow(name) << true;
    QTest::newRow("Cmdtotali") << false;
}

void WindowLayoutTest::buttonsShowTheirPicture() {
    QFETCH(bool, picture);
    const auto* button = form->control<QAbstractButton>(QTest::currentDataTag());
    QVERIFY(button);
    QCOMPARE(!button->icon().pixmap(button->iconSize()).isNull(), picture);
}

void WindowLayoutTest::windowHasItsCaptionAndIcon() {
    QCOMPARE(form->window.windowTitle(),
             QStringLiteral("Gestione Quadro SX - Riepilogo delle compensazioni"));
    QVERIFY(!form->window.windowIcon().pixmap(32).isNull());
    QCOMPARE(form->window.statusBar()->objectName(), QStringLiteral("StatusBar1"));
}

void WindowLayoutTest::keyboardOrderOfEachPane_data() {
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("selection") << "FrmSelezione_0"
                               << QStringList{"List1", "cmduscita_1", "Option2_0", "Option2_1",
                                              "Option2_2"};
    QTest::newRow("schedule") << "Frmmoduli_0"
                              << QStringList{"Text1_1", "Cmdtotali"} +
                                     names("Text1_", {2, 3, 4, 5, 6, 7}) +
                                     QStringList{"List2", "cmdelimina", "Cmdannulla",
                                                 "cmdconferma"} +
                                     names("Text1_", {12, 13, 14, 15, 16, 17}) +
                                     QStringList{"Check1_8",    "Check1_9",     "Check1_10",
                                                 "CmdStLista",  "cmdselprec_1", "cmduscita_0",
                                                 "cmdmemorizza"};
}

// The focus chain of the pane, read from its first control onwards, keeping only the controls
// that the Tab key can reach when they are enabled.
void WindowLayoutTest::keyboardOrderOfEachPane() {
    QFETCH(QString, pane);
    QFETCH(QStringList, order);
    const QWidget* container = form->control(pane);
    QWidget* first = form->control(order.first());
    QVERIFY(container && first);
    QStringList found;
    QWidget* widget = first;
    do {
        if (container->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
            found << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    QCOMPARE(found, order);
}

void WindowLayoutTest::tabSkipsTheRowEditorWhileItIsClosed_data() {
    QTest::addColumn<bool>("rowOpen");
    QTest::addColumn<QStringList>("stops");
    const QStringList summary =
        QStringList{"Cmdtotali"} + names("Text1_", {2, 3, 4, 5, 6, 7}) + QStringList{"List2"};
    const QStringList bottom{"Check1_8",     "Check1_9",    "Check1_10",    "CmdStLista",
                             "cmdselprec_1", "cmduscita_0", "cmdmemorizza", "Text1_1"};
    QTest::newRow("closed") << false << summary + bottom;
    QTest::newRow("open") << true
                          << summary + QStringList{"cmdelimina", "Cmdannulla", "cmdconferma"} +
                                 names("Text1_", {12, 13, 14, 15, 16, 17}) + bottom;
}

void WindowLayoutTest::tabSkipsTheRowEditorWhileItIsClosed() {
    QFETCH(bool, rowOpen);
    QFETCH(QStringList, stops);
    form->ui.FrmSelezione_0->hide();
    for (QWidget* rowEditor : std::initializer_list<QWidget*>{
             form->ui.Frameimporti, form->ui.cmdelimina, form->ui.Cmdannulla, form->ui.cmdconferma})
        rowEditor->setEnabled(rowOpen);
    form->window.show();
    QApplication::setActiveWindow(&form->window);
    QVERIFY(QTest::qWaitForWindowActive(&form->window));
    form->ui.Text1_1->setFocus();

    QStringList found;
    for (int step = 0; step < stops.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        found << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(found, stops);
}

void WindowLayoutTest::messageBoxButtonsAreItalian_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes/No/Cancel") << 35 << QStringList{"Sì", "No", "Annulla"} << 2;
    QTest::newRow("Yes/No") << 36 << QStringList{"Sì", "No"} << 7;
    QTest::newRow("OK") << 64 << QStringList{"OK"} << 1;
}

void WindowLayoutTest::messageBoxButtonsAreItalian() {
    QFETCH(int, style);
    QFETCH(QStringList, buttons);
    QFETCH(int, answer);
    QtMessageBoxes boxes;
    QStringList shown;
    QTimer::singleShot(0, [&shown, &buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QAbstractButton* chosen = box->buttons().constFirst();
        for (QAbstractButton* button : box->buttons()) {
            shown << button->text();
            if (button->text() == buttons.last())
                chosen = button;
        }
        QTimer::singleShot(0, chosen, &QAbstractButton::click);
    });
    QCOMPARE(boxes.show(QStringLiteral("Salvare ?"), style, QStringLiteral("quadrosx")), answer);
    shown.sort();
    buttons.sort();
    QCOMPARE(shown, buttons);
}

void WindowLayoutTest::releaseIsReadFromTheRawCommandLine_data() {
    QTest::addColumn<QString>("windowsLine");
    QTest::addColumn<QByteArray>("procCmdline");
    QTest::addColumn<QString>("arguments");
    QTest::newRow("toolkit option kept")
        << "quadrosx.exe -style fusion /R1.0" << QByteArray("quadrosx\0-style\0fusion\0/R1.0\0", 29)
        << "-style fusion /R1.0";
    QTest::newRow("quoted program name, quotes kept")
        << "\"C:\\Paghe 2004\\quadrosx.exe\"  /R\"4.2\"" << QByteArray("q\0/R\"4.2\"\0", 10)
        << "/R\"4.2\"";
    QTest::newRow("no arguments") << "quadrosx.exe" << QByteArray("quadrosx\0", 9) << "";
}

void WindowLayoutTest::releaseIsReadFromTheRawCommandLine() {
    QFETCH(QString, windowsLine);
    QFETCH(QByteArray, procCmdline);
    QFETCH(QString, arguments);
    QCOMPARE(argumentsOfCommandLine(windowsLine), arguments);
    QCOMPARE(argumentsOfProcCmdline(procCmdline), arguments);
}

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"

#pragma once

#include "app/controlarray.h"
#include "app/messageboxes.h"
#include "app/mod770bas.h"
#include "app/platform.h"
#include "data/sxtable.h"
#include "report/printersink.h"

#include <functional>
#include <memory>
#include <QMainWindow>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace Ui {
class QUADROSX;
}

// What the window needs from outside: message boxes, the operating system and the printer.
struct Services {
    MessageBoxes& boxes;
    Platform& platform;
    std::function<std::unique_ptr<PrinterSink>()> printer;
};

// The program's one window. Its procedures carry the names the suite uses for them and are
// defined in the folder of their subsystem (selection/quadrosx_selection.cpp and so on).
class QUADROSX : public QMainWindow {
    Q_OBJECT

  public:
    QUADROSX(MOD770BAS& mod, Services services, QWidget* parent = nullptr);
    ~QUADROSX() override;

    // Start-up and end of the run (app/).
    // Form_Load, with a failure going to the top-level error report.
    void startUp() {
        guarded([this] { Form_Load(); });
    }
    void Form_Load();
    void Form_Unload();
    void cmduscita_Click(int index);
    void CONTROLLOAMBIENTE();
    void LEGGIPERCORSI();
    // Names an Access year's database or template in a message and ends the run.
    bool isAccessArchive(const QString& path);
    void CONTROLLOFRONTESPIZIO(const QString& caption);
    void placeWindow();
    // True once the process was asked to end: every procedure returns at once.
    bool ended() const { return ended_; }
    // The top-level error report: number and description, then the end of the run.
    void reportError(int number, const QString& description);

    // Database (data/).
    void APRIDATABASE();
    void APRITAB();
    void CHIUDITAB();
    void CHIUDIDATABASE();
    void LEGGICREAQUADROSX();
    void CARICADATIARRAY();
    void CARICADATI();
    void cmdmemorizza_Click();
    void MEMORIZZADATI();
    void MEMORIZZAARRAY();

    // Declarant selection (selection/).
    void IMPOSTAFRAME();
    void LISTADICHIARAZIONI();
    void Option2_Click(int index);
    void List1_DblClick();
    void IMPOSTATESTATADIC();
    void RITORNASELEZDIC();
    void cmdselprec_Click(int index);

    // Schedule editor (editor/).
    int Text1_KeyPress(int index, int key);
    void Text1_GotFocus(int index);
    void Text1_LostFocus(int index);
    void Text1_Change(int index);
    // The program writing a box's text: a change of the box even when the text stays the same.
    void assignText(int index, const QString& text);
    void Check1_Click(int index);
    void LISTASXREGIONI();
    void List2_Click();
    void List2_DblClick();
    void ABILITAFRAMERIGHI();
    void DISABILITAFRAMERIGHI();
    void cmdconferma_Click();
    void Cmdannulla_Click();
    void MESSAGGIOVARIAZRIGO();
    void MESSAGGIOVARIAZ();
    // The steps "Uscita" and "Altra Azienda" share: with pending changes, the save question,
    // then whether the user may leave the schedule.
    bool mayLeaveSchedule();
    void cmdelimina_Click();
    void PULISCICAMPI();
    void PULISCICAMPIARRAY();

    // Checks and totals (checks/).
    void CONTROLLOCAMPI();
    void verificaimportisx();
    void CONTROLLORIGHI();
    void Cmdtotali_Click();
    void RICALCOLAIMPORTI();

    // Control list (report/).
    void CmdStLista_Click();

    // Controls, under the names and indices of the window's design.
    ControlArray<QLineEdit> Text1{"Text1"};
    ControlArray<QCheckBox> Check1{"Check1"};
    ControlArray<QLabel> testate3{"testate3"};
    ControlArray<QLabel> Label1{"Label1"};
    ControlArray<QLabel> Label2{"Label2"};
    ControlArray<QLabel> Label5{"Label5"};
    ControlArray<QRadioButton> Option2{"Option2"};
    ControlArray<QPushButton> cmduscita{"cmduscita"};
    ControlArray<QPushButton> cmdselprec{"cmdselprec"};
    ControlArray<QGroupBox> FrmSelezione{"FrmSelezione"};
    ControlArray<QGroupBox> Frmmoduli{"Frmmoduli"};
    ControlArray<QFrame> Line1{"Line1"};
    QGroupBox* Frmtestata;
    QGroupBox* Frame1;
    QGroupBox* Frameregioni;
    QGroupBox* Frameimporti;
    QLabel* LabCOGNODEN;
    QLabel* LabCF;
    QLabel* LabAZI;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label8;
    QListWidget* List1;
    QListWidget* List2;
    QPushButton* Cmdtotali;
    QPushButton* CmdStLista;
    QPushButton* cmdmemorizza;
    QPushButton* cmdelimina;
    QPushButton* Cmdannulla;
    QPushButton* cmdconferma;
    QLabel* StatusPanel1;
    QLabel* StatusPanel2;

    // Form-level state.
    qint16 FLAGVARIAZRIGO = 0;
    qint16 FLAGLISTA = 0;
    qint16 FLAGTOTALI = 0;
    // Sums of columns 2-7 of the region rows (index 1-6; 0 unused).
    double SOMMACOLONNA[7] = {};
    // The schedule presence total: not 0 when the schedule holds anything.
    double TOTALEQUADRO = 0;
    QString MESSAGGIO;
    SxTable TABELLASX;
    QString AZIENDACORRENTE; // company code, 3 characters
    QString CFCORRENTE;      // tax code, 16-character form
    QString SEQCORRENTE;     // current row key

    MOD770BAS& mod() { return mod_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void gatherControls();
    void wireApp();
    void wireSelection();
    void wireAmounts();
    void wireRegionList();
    void wireRows();
    void wireStoring();
    void wireTotals();
    void wireReport();
    // Runs an event handler; a failure that reaches here is the top-level error report.
    void guarded(const std::function<void()>& handler);
    void endProcess(int exitCode);
    int ask(const QString& text, int style, const QString& title);

    std::unique_ptr<Ui::QUADROSX> ui;
    MOD770BAS& mod_;
    Services services_;
    bool ended_ = false;
    bool unloading_ = false;
    // An amount box has just taken the focus from a mouse press not yet delivered to it.
    bool pressGaveFocus_ = false;
    QSize placedFrame_; // the frame's thickness when the window was last sized and placed
};

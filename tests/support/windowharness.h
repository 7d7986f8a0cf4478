#pragma once

#include "app/mod770bas.h"
#include "app/quadrosx.h"
#include "report/recordingprintersink.h"
#include "testarchive.h"
#include "testdoubles.h"

#include <memory>
#include <optional>
#include <QListWidget>

// What the window says, as the user reads it ("\r" breaks a line of a message), and the
// caption every message box of the schedule carries as its title.
namespace Shown {

inline const QString caption = QStringLiteral(
    " Gestione Modello 770/2004 (Semplificato) - Gestione Quadro SX - Riepilogo delle "
    "compensazioni");
inline const QString saveQuestion =
    QStringLiteral("Sono state effettuate delle variazioni\rSalvare ?");
inline const QString box6Offer = QStringLiteral(
    "Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede il rimborso");
inline const QString rule1 = QStringLiteral(
    "ATTENZIONE!!!!\r\rIl campo Credito risultante dalla dichiarazione relativa al 2002 da mod. "
    "F24\rnon può essere maggiore\rdel campo Credito risultante dalla dichiarazione relativa al "
    "2002\r\rVuoi continuare ugualmente?");
inline const QString rule2 = QStringLiteral(
    "ATTENZIONE!!!!\r\rIl campo Credito da utilizzare in compensazione\rnon puo essere maggiore "
    "di:\r\rCampo Credito risultante dalla dichiarazione relativa al 2002 (-)\rCampo Credito "
    "risultante dalla dichiarazione relativa al 2002 da mod. F24 (+)\rCampo Versamenti 2003 in "
    "eccesso e restituzioni effettuate dal sostituto (-)\rCampo Importo di cui si chiede il "
    "rimborso\r\rVuoi continuare ugualmente?");
inline const QString rule3 = QStringLiteral(
    "ATTENZIONE!!!!\r\rIl campo Importo di cui si chiede il rimborso\rnon puo essere maggiore "
    "di:\r\rCampo Credito risultante dalla dichiarazione relativa al 2002 (-)\rCampo Credito "
    "risultante dalla dichiarazione relativa al 2002 da mod. F24 (+)\rCampo Versamenti 2003 in "
    "eccesso e restituzioni effettuate dal sostituto (-)\rCampo Credito da utilizzare in "
    "compensazione\r\rVuoi continuare ugualmente?");
inline const QString sx4Warning = QStringLiteral(
    "ATTENZIONE !!!!\rControllo campi SX4\r\rI campi evidenziati sono diversi dalla "
    "somma \rdelle relative colonne del quadro SX (da SX5 a SX34)\r\rVuoi ricalcolare "
    "gli importi ?");
inline const QString sx1Warning = QStringLiteral(
    "ATTENZIONE !!!!\rControllo campo SX1 casella 1\r\rCampo SX1 casella 1 maggiore di casella SX4 "
    "casella 3 \rVuoi continuare ugualmente?");
inline const QString printFinished =
    QStringLiteral("Stampa - Lista di controllo quadro SX .... Terminata");

// The information shown when the automatic box 6 comes out at `amount`, zero or below.
QString box6BelowZero(const QString& amount);

} // namespace Shown

// The real window on a test archive, with recording message boxes, platform and printer.
struct WindowHarness {
    TestArchive archive;
    RecordingMessageBoxes boxes;
    RecordingPlatform platform;
    MOD770BAS mod;
    std::unique_ptr<QUADROSX> window;
    // Every document printed, in order.
    QList<std::shared_ptr<RecordingPrinterSink>> printed;
    // When set, asking for the printer fails with this description.
    std::optional<QString> printerFailure;

    WindowHarness();
    ~WindowHarness();
    // A new window on the same archive (as a new run of the program).
    void createWindow();
    // Form_Load; the window is shown offscreen.
    void start(const QString& commandLine = QStringLiteral("/R1.0"));
    // Starts the program with its window active, as the user's is, and chooses the declarant
    // whose line begins with `company`.
    void startAndChoose(const QString& company);
    // The row of List1 whose line begins with the company code, or -1.
    int declarantRow(const QString& company) const;
    // Double-clicks the declarant line that begins with `company`, as a user does.
    void open(const QString& company);
    // Clicks then double-clicks a line of List2 (0 = SX5).
    void clickRegionRow(int row);
    void openRegionRow(int row);
    void click(QWidget* button);
    // Focuses a box and types keys as a user does (text; '\b' is Backspace).
    void type(QLineEdit* box, const QString& keys);
    // Types into Text1(first), Text1(first + 1) and so on; an empty entry leaves that box alone.
    void typeBoxes(int first, const QStringList& keys);
    // The message boxes shown so far are these, in order, each titled with the caption.
    void compareBoxes(const QStringList& texts, const QList<int>& styles) const;
    // Fields SX_1..SX_10 of QUADROSX row `seq` of a declarant; Null as a null QString.
    QStringList storedRow(const QString& company, const QString& taxCode16, const QString& seq);
    // A declarant's rows in QUADROSX, in SEQ order: each SEQ, then SX_1..SX_10.
    QList<QStringList> storedSchedule(const QString& company, const QString& taxCode16);
    // FR_46 of the declarant's front page; "(none)" when there is no front page.
    QString frontIndicator(const QString& company);
    // Writes rows into QUADROSX as another program of the suite would: each row is SEQ, then
    // SX_1..SX_10 (a null QVariant is Null).
    void storeRows(const QString& company, const QString& taxCode16,
                   const QList<QVariantList>& rows);
    // The row key of row i: three digits, "001" to "031".
    static QString seq(int i);
};

// Hands every call on to a recording kept by the harness, so the test reads it after the
// window has let go of its printer.
class ForwardingPrinterSink : public PrinterSink {
  public:
    explicit ForwardingPrinterSink(std::shared_ptr<RecordingPrinterSink> to) : to_(std::move(to)) {}
    void setFont(const QString& family, double size, bool bold) override {
        to_->setFont(family, size, bold);
    }
    void printLine(const QString& line) override { to_->printLine(line); }
    void newPage() override { to_->newPage(); }
    void endDocument() override { to_->endDocument(); }

  private:
    std::shared_ptr<RecordingPrinterSink> to_;
};

#pragma once

#include "app/mod770bas.h"
#include "app/quadrosx.h"
#include "report/recordingprintersink.h"
#include "testarchive.h"
#include "testdoubles.h"

#include <QListWidget>
#include <memory>
#include <optional>

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
    // Fields SX_1..SX_10 of QUADROSX row `seq` of a declarant; Null as a null QString.
    QStringList storedRow(const QString& company, const QString& taxCode16,
                          const QString& seq);
};

// Hands every call on to a recording kept by the harness, so the test reads it after the
// window has let go of its printer.
class ForwardingPrinterSink : public PrinterSink {
public:
    explicit ForwardingPrinterSink(std::shared_ptr<RecordingPrinterSink> to) : to_(std::move(to)) {}
    void setFont(const QString& family, double size, bool bold) override { to_->setFont(family, size, bold); }
    void printLine(const QString& line) override { to_->printLine(line); }
    void newPage() override { to_->newPage(); }
    void endDocument() override { to_->endDocument(); }

private:
    std::shared_ptr<RecordingPrinterSink> to_;
};

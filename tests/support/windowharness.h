#pragma once

#include "app/messageboxes.h"
#include "app/mod770bas.h"
#include "app/platform.h"
#include "app/quadrosx.h"
#include "testarchive.h"

#include <memory>
#include <optional>
#include <QListWidget>
#include <QPushButton>

// Records every message box and answers from a script; a box with no answer left is
// unexpected: it is counted and answered with its last button.
class RecordingMessageBoxes : public MessageBoxes {
  public:
    struct Box {
        QString text;
        int style;
        QString title;
    };
    int show(const QString& text, int style, const QString& title) override;
    void answer(const QList<int>& answers) { answers_ += answers; }
    QStringList texts() const {
        QStringList result;
        for (const Box& box : boxes)
            result << box.text;
        return result;
    }
    QList<Box> boxes;
    int unexpected = 0;

  private:
    QList<int> answers_;
};

class RecordingPlatform : public Platform {
  public:
    bool anotherCopyRunning() override { return otherCopy; }
    QSize screenSize() override { return QSize(1280, 1024); }
    bool activateWindow(const QString& title) override {
        activated << title;
        return windows.contains(title);
    }
    bool startProgram(const QString& path) override {
        started << path;
        return true;
    }
    void endProcess(int exitCode) override { endings << exitCode; }
    bool otherCopy = false;
    QStringList windows; // titles of the windows that can be activated
    QStringList activated, started;
    QList<int> endings;
};

// The real window on a test archive, with recording message boxes, platform and printer.
struct WindowHarness {
    TestArchive archive;
    RecordingMessageBoxes boxes;
    RecordingPlatform platform;
    MOD770BAS mod;
    std::unique_ptr<QUADROSX> window;
    QList<QStringList> printed;            // the lines of every document, in order
    std::optional<QString> printerFailure; // when set, asking for the printer fails so

    WindowHarness() { createWindow(); }
    ~WindowHarness() { window.reset(); }
    void createWindow(); // a new window on the same archive, as a new run
    void start(const QString& commandLine = QStringLiteral("/R1.0")); // Form_Load, active window
    void startAndChoose(const QString& company);
    void open(const QString& company); // double-clicks the line beginning with the code
    void clickRegionRow(int row);      // 0 = SX5
    void openRegionRow(int row);
    void click(QWidget* widget);
    void type(QLineEdit* box, const QString& keys);     // '\b' Backspace, '\x7f' Delete
    void typeBoxes(int first, const QStringList& keys); // Text1(first)...; "" leaves a box alone
    // Rows written as another program of the suite would: SEQ, then SX_1..SX_10.
    void storeRows(const QString& company, const QString& taxCode16,
                   const QList<QVariantList>& rows);
    static QString seq(int i) { return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')); }
};

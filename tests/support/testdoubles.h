#pragma once

#include "app/messageboxes.h"
#include "app/platform.h"

#include <functional>
#include <QList>
#include <QString>
#include <QStringList>

// Records every message box and answers from a script; a box with no answer left is an
// unexpected box, answered with its last button and counted.
class RecordingMessageBoxes : public MessageBoxes {
  public:
    struct Box {
        QString text;
        int style;
        QString title;
    };
    int show(const QString& text, int style, const QString& title) override;
    void answer(QList<int> answers) { answers_ += answers; }
    QList<Box> boxes;
    int unexpected = 0;
    int pendingAnswers() const { return int(answers_.size()); }
    // The texts of the boxes shown, in order.
    QStringList texts() const;
    // Runs while a box is "open": lets a test look at the window as the user sees it then.
    std::function<void(const Box&)> whileShown;

  private:
    QList<int> answers_;
};

class RecordingPlatform : public Platform {
  public:
    bool anotherCopyRunning() override { return otherCopy; }
    QSize screenSize() override { return QSize(1280, 1024); }
    bool activateWindow(const QString& title) override;
    bool startProgram(const QString& path) override;
    void endProcess(int exitCode) override;

    bool otherCopy = false;
    QStringList windows; // titles of the windows that can be activated
    QStringList activated;
    QStringList started;
    QList<int> endings;
};

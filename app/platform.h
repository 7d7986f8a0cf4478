#pragma once

#include <QSize>
#include <QString>

// What the program asks of the operating system. The real implementation ends the process in
// endProcess(); a test double records the call and returns, so every caller returns at once
// after asking for the end.
class Platform {
  public:
    virtual ~Platform() = default;
    // True when another copy of the program holds the single-copy lock.
    virtual bool anotherCopyRunning() = 0;
    virtual QSize screenSize() = 0;
    // Brings to the front a top-level window whose title is `title`; false when there is none.
    virtual bool activateWindow(const QString& title) = 0;
    virtual bool startProgram(const QString& path) = 0;
    virtual void endProcess(int exitCode) = 0;
};

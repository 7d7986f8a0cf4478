#pragma once

#include "app/platform.h"

#include <QLockFile>

// The operating system as the program meets it on a desktop.
class DesktopPlatform : public Platform {
  public:
    DesktopPlatform();
    bool anotherCopyRunning() override;
    QSize screenSize() override;
    bool activateWindow(const QString& title) override;
    bool startProgram(const QString& path) override;
    [[noreturn]] void endProcess(int exitCode) override;

  private:
    QLockFile lock_;
};

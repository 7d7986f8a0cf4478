#include "app/desktopplatform.h"

#include "app/windowactivation.h"

#include <cstdio>
#include <cstdlib>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

// One copy per user, as one per desktop: the lock lives in the user's own runtime folder, where
// another user's copy, running or crashed, leaves nothing.
DesktopPlatform::DesktopPlatform()
    : lock_(QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                .filePath(QStringLiteral("quadrosx.lock"))) {
    // A lock left by a copy that crashed is recognised as stale at once.
    lock_.setStaleLockTime(0);
}

bool DesktopPlatform::anotherCopyRunning() {
    return !lock_.isLocked() && !lock_.tryLock(0);
}

QSize DesktopPlatform::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

bool DesktopPlatform::activateWindow(const QString& title) {
    return activateWindowTitled(title);
}

bool DesktopPlatform::startProgram(const QString& path) {
    return QProcess::startDetached(path, {}, QFileInfo(path).absolutePath());
}

void DesktopPlatform::endProcess(int exitCode) {
    lock_.unlock();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

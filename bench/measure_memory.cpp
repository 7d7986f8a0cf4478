#include "benchsupport.h"
#include "figures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

// The peak resident size of a running process, in kB, from the kernel's own account.
double peakKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

} // namespace

Figure Measure::peakMemory(int declarants) {
    WindowHarness h; // the archive, and the settings that point at it
    Bench::addDeclarants(h.archive.yearPath(), declarants);
    const QString shot = h.archive.programs() + QStringLiteral("/shown.png");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QUADROSX_SCREENSHOT"), shot);
    // A lock folder of its own: a copy of the program open elsewhere does not stop this one.
    environment.insert(QStringLiteral("TMPDIR"), h.archive.programs());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUADROSX_EXE), {QStringLiteral("/Rbench")});
    Figure figure{QStringLiteral("peak memory, %1 declarants listed").arg(declarants)};
    figure.unit = QStringLiteral("MB");
    figure.target = declarants > 10000 ? 100 : 80;
    // The window saves its picture once the list is shown.
    for (int i = 0; i < 300 && !QFile::exists(shot); ++i)
        QThread::msleep(100);
    figure.value = QFile::exists(shot) ? peakKb(program.processId()) / 1024 : -1;
    program.kill();
    program.waitForFinished();
    return figure;
}

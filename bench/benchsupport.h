#pragma once

#include "windowharness.h"

#include <algorithm>
#include <ctime>
#include <functional>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <unistd.h>
#include <vector>

// Shared by the benchmarks: a suite archive with many declarants, and timing by median.
namespace Bench {

// The line of the declarant list that begins with the company's code, -1 when there is none.
inline int declarantRow(const WindowHarness& h, const QString& company) {
    const QList<QListWidgetItem*> lines = h.window->List1->findItems(company, Qt::MatchStartsWith);
    return lines.isEmpty() ? -1 : h.window->List1->row(lines.first());
}

inline void useSourceTree() {
    if (qEnvironmentVariableIsEmpty("QUADROSX_SOURCE_DIR"))
        qputenv("QUADROSX_SOURCE_DIR", QUADROSX_SOURCE_DIR);
}

// A connection of the benchmark's own to the year's database.
class Connection {
  public:
    explicit Connection(const QString& path) : name_(QUuid::createUuid().toString()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.open();
    }
    ~Connection() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

  private:
    QString name_;
};

inline QString companyCode(int i) {
    return QStringLiteral("%1").arg(i, 3, 36, QLatin1Char('0')).toUpper();
}

// `count` declarants, persons and companies alternately, codes unique.
inline void addDeclarants(const QString& path, int count) {
    Connection connection(path);
    QSqlDatabase db = connection.db();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO FRONTESPIZIO (CODAZI, CFD, FR_1, FR_2, FR_3, fr_14) "
                                  "VALUES (?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < count; ++i) {
        insert.addBindValue(companyCode(i));
        insert.addBindValue(QStringLiteral("CF%1").arg(i, 14, 10, QLatin1Char('0')));
        insert.addBindValue(QStringLiteral("COGNOME%1").arg(count - i));
        insert.addBindValue(QStringLiteral("NOME"));
        insert.addBindValue(QStringLiteral("DITTA %1 S.R.L.").arg(i));
        insert.addBindValue(i % 2 ? QStringLiteral("P") : QString());
        insert.exec();
    }
    db.commit();
}

// Medians of `runs` timings of `work`, in milliseconds: on the wall clock, and in processor
// time of the process (what the wall clock shows on a machine doing nothing else).
// `before` runs untimed before each.
struct Timing {
    double wall;
    double processor;
};
inline Timing medianTiming(
    int runs, const std::function<void()>& work, const std::function<void()>& before = [] {}) {
    std::vector<double> wall;
    std::vector<double> processor;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer timer;
        const std::clock_t start = std::clock();
        timer.start();
        work();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        processor.push_back(double(std::clock() - start) * 1000 / CLOCKS_PER_SEC);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    return {wall[wall.size() / 2], processor[processor.size() / 2]};
}

inline double medianMs(int runs, const std::function<void()>& work) {
    return medianTiming(runs, work).wall;
}

struct ProcessRun {
    double ms = 0;
    double cpuMs = 0; // user and system time: what the work costs however loaded the machine
    double peakMb = 0;
};

// A field of the kernel's account of a running process, read from /proc.
inline QList<QByteArray> procFields(qint64 pid, const char* file) {
    QFile status(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    return status.open(QIODevice::ReadOnly) ? status.readAll().split('\n') : QList<QByteArray>{};
}

// The program as a process of its own; its peak resident size and its processor time read
// while it runs, the last reading a few milliseconds before it ends.
inline ProcessRun runProgram(const QString& path, const QStringList& arguments) {
    QProcess program;
    program.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    program.start(path, arguments);
    program.waitForStarted();
    ProcessRun run;
    const double tickMs = 1000.0 / double(sysconf(_SC_CLK_TCK));
    while (!program.waitForFinished(10)) {
        for (const QByteArray& line : procFields(program.processId(), "status"))
            if (line.startsWith("VmHWM:"))
                run.peakMb = line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
        const QList<QByteArray> stat = procFields(program.processId(), "stat");
        const QList<QByteArray> times =
            stat.isEmpty() ? QList<QByteArray>{}
                           : stat.first().mid(stat.first().lastIndexOf(')') + 2).split(' ');
        if (times.size() > 12)
            run.cpuMs = (times.at(11).toDouble() + times.at(12).toDouble()) * tickMs;
    }
    run.ms = double(timer.nsecsElapsed()) / 1e6;
    return run;
}

// The processor time of this process for `work`.
inline double cpuMs(const std::function<void()>& work) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    const double start = now();
    work();
    return now() - start;
}

} // namespace Bench

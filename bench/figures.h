#pragma once

#include <QList>
#include <QString>

// One measured figure: the program's time for a piece of work, the bare work it is compared
// to (0 when it stands alone), and whether it meets its targets.
struct Figure {
    explicit Figure(QString work) : what(std::move(work)) {}
    QString what;
    double value = 0;
    // The processor time of the same work when measured (0 when not): the targets are judged on
    // it, since the wall clock of a machine shared with other work adds the waits for a processor.
    double processor = 0;
    QString unit = QStringLiteral("ms");
    QString bareWhat;
    double bare = 0;
    double bareProcessor = 0;
    double target = 0;      // the value must stay under it
    double ratioTarget = 0; // ratio() must stay at or under it; 0 when none
    // Program against bare work, in processor time when both were measured.
    double ratio() const {
        if (processor > 0 && bareProcessor > 0)
            return processor / bareProcessor;
        return bare > 0 ? value / bare : 0;
    }
    bool met() const {
        const double judged = processor > 0 ? processor : value;
        return (target <= 0 || judged < target) && (ratioTarget <= 0 || ratio() <= ratioTarget);
    }
};

namespace Measure {
// Each builds what it needs in a folder of its own and returns its figures.
QList<Figure> startupAndListing(int declarants);
QList<Figure> opening();
QList<Figure> keyFilter();
QList<Figure> storing();
QList<Figure> controlList();
// Opening and storing on the server named by QUADROSX_BENCH_SERVER; none without it.
QList<Figure> onServer();
// The whole program with `declarants` listed, as a process of its own.
Figure peakMemory(int declarants);
// Without a window: the check of every schedule and every control list into one PDF.
QList<Figure> everyDeclarant(int declarants);
// sxcopy bringing in an Access year's database of `declarants` declarants with 31 rows each.
QList<Figure> accessImport(int declarants);
} // namespace Measure

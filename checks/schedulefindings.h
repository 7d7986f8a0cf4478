#pragma once

#include "checks/columnsums.h"

#include <QList>
#include <QString>

// What the window's checks find in a stored schedule, without asking anything: the SX4 boxes
// that differ from their column sums, SX1 over SX4 box 3, and every row rule a region row
// breaks (all of them, as when each warning is answered Yes).
namespace ScheduleFindings {

struct Finding {
    int line;      // the schedule's line: 1 (SX1), 4 (SX4) or 5-34 (a region row)
    int box;       // the box found wrong, 1-6
    QString rule;  // what the box breaks, as the report words it
    double amount; // the box's amount
    double limit;  // the amount it is held against
};

// `cell` gives the SX row table as the loading fills it from the stored rows; the boxes are
// read as the window shows them.
QList<Finding> findingsOf(const CellReader& cell);

// "SX7 casella 2 = 150,00 maggiore di casella 1 = 100,00"
QString describe(const Finding& finding);

} // namespace ScheduleFindings

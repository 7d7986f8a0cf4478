#pragma once

#include "checks/schedulefindings.h"
#include "report/controllist.h"

#include <QList>
#include <QString>

class PrinterSink;

// The findings of the check of every schedule: one line each for a person or a spreadsheet,
// and a printable report with a heading per declarant. A declarant is named by the captions
// its control list carries.
namespace FindingsReport {

using ControlList::DeclarantCaptions;
using ScheduleFindings::Finding;

struct DeclarantFindings {
    DeclarantCaptions declarant;
    QList<Finding> findings;
};

// "001 RSSMRA80A01H501U ROSSI MARIO: SX7 casella 2 = 150,00 maggiore di casella 1 = 100,00"
QString textLine(const DeclarantCaptions& declarant, const Finding& finding);

// Fields separated by semicolons, since the amounts carry a decimal comma.
QString csvHeader();
QString csvLine(const DeclarantCaptions& declarant, const Finding& finding);

// The declarants with findings, in the order given, and a closing count of the `checked`
// schedules; the document stays open.
void print(PrinterSink& printer, const QList<DeclarantFindings>& found, int checked);

} // namespace FindingsReport

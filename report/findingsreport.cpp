#include "report/findingsreport.h"

#include "editor/amount.h"
#include "report/printersink.h"

#include <QStringList>

namespace FindingsReport {

namespace {

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString csvRecord(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(';'));
}

int findingCount(const QList<DeclarantFindings>& found) {
    int count = 0;
    for (const DeclarantFindings& declarant : found)
        count += int(declarant.findings.size());
    return count;
}

} // namespace

QString textLine(const DeclarantCaptions& declarant, const Finding& finding) {
    return declarant.company.trimmed() + QLatin1Char(' ') + declarant.taxCode.trimmed() +
           QLatin1Char(' ') + declarant.name.trimmed() + QStringLiteral(": ") +
           ScheduleFindings::describe(finding);
}

QString csvHeader() {
    return csvRecord({QStringLiteral("Azienda"), QStringLiteral("Codice fiscale"),
                      QStringLiteral("Denominazione"), QStringLiteral("Rigo"),
                      QStringLiteral("Casella"), QStringLiteral("Anomalia"),
                      QStringLiteral("Importo"), QStringLiteral("Limite")});
}

QString csvLine(const DeclarantCaptions& declarant, const Finding& finding) {
    return csvRecord(
        {declarant.company.trimmed(), declarant.taxCode.trimmed(), declarant.name.trimmed(),
         QStringLiteral("SX%1").arg(finding.line), QString::number(finding.box), finding.rule,
         LibrAgg770::formatAmount(finding.amount), LibrAgg770::formatAmount(finding.limit)});
}

void print(PrinterSink& printer, const QList<DeclarantFindings>& found, int checked) {
    printer.setFont(QStringLiteral("Courier New"), 9, false);
    printer.printLine(ControlList::separatorLine());
    printer.printLine(QStringLiteral("Controllo quadro SX 770/2004 Semplificato"));
    printer.printLine(ControlList::separatorLine());
    for (const DeclarantFindings& declarant : found) {
        printer.printLine(QString());
        printer.printLine(ControlList::declarantLine(declarant.declarant));
        for (const Finding& finding : declarant.findings)
            printer.printLine(QStringLiteral("    ") + ScheduleFindings::describe(finding));
    }
    printer.printLine(QString());
    printer.printLine(ControlList::separatorLine());
    printer.printLine(
        found.isEmpty()
            ? QStringLiteral("Dichiaranti controllati: %1. Nessuna anomalia.").arg(checked)
            : QStringLiteral("Dichiaranti controllati: %1, con anomalie: %2, "
                             "anomalie: %3.")
                  .arg(checked)
                  .arg(found.size())
                  .arg(findingCount(found)));
}

} // namespace FindingsReport

// Prints one control list on the system's default printer, as "Stampa lista di controllo" does,
// and says where it went. Driven by realprinter.sh, which gives it a print server of its own.
#include "report/controllist.h"
#include "report/defaultprintersink.h"

#include <cstdio>
#include <QApplication>
#include <QPrinterInfo>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("default printer: %s\n", qPrintable(QPrinterInfo::defaultPrinter().printerName()));
    // A declarant with all 31 rows: SX1, the SX4 totals and SX5 to SX34.
    QList<ControlList::Record> records{
        {QStringLiteral("001"),
         {"", "2500", "1000", "250,5", "749,5", "0", "100", "649,5", "0", "1", "1"}}};
    for (int k = 2; k <= 31; ++k)
        records.append({QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0')),
                        {"", "0", QString::number(k), "0", "0", "0", "0",
                         QString::number(k) + QStringLiteral("0,5"), "0", "0", "0"}});
    try {
        DefaultPrinterSink printer;
        ControlList::print(printer, records, {" 001", " ROSSI MARIO", " RSSMRA80A01H501U"});
    } catch (const PrinterError& error) {
        std::printf("printing failed: %s\n", qPrintable(error.description));
        return 1;
    }
    std::printf("job sent\n");
    return 0;
}

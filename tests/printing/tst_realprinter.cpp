// Prints one control list on the system's default printer, the way the program's
// "Stampa lista di controllo" does, and says where it went. Driven by realprinter.sh, which
// gives it a print server of its own.
#include "report/controllist.h"
#include "report/defaultprintersink.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTextStream>

namespace {

// A declarant with all 31 rows stored: SX1, the SX4 totals and SX5 to SX34.
QList<ControlList::Record> fullDeclarant() {
    ControlList::Record summary{QStringLiteral("001"), {}};
    const QStringList values{"2500", "1000", "250,5", "749,5", "0", "100", "649,5", "0", "1", "1"};
    for (int j = 1; j <= 10; ++j)
        summary.sx[j] = values[j - 1];
    QList<ControlList::Record> records{summary};
    for (int k = 2; k <= 31; ++k) {
        ControlList::Record row{QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0')), {}};
        row.sx.fill(QStringLiteral("0"));
        row.sx[2] = QString::number(k);
        row.sx[7] = QString::number(k) + QStringLiteral("0,5");
        records.append(row);
    }
    return records;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out << "default printer: " << QPrinterInfo::defaultPrinter().printerName() << Qt::endl;
    try {
        DefaultPrinterSink printer;
        ControlList::print(printer, fullDeclarant(),
                           {QStringLiteral(" 001"), QStringLiteral(" ROSSI MARIO"),
                            QStringLiteral(" RSSMRA80A01H501U")});
    } catch (const PrinterError& error) {
        err << "printing failed: " << error.description << Qt::endl;
        return 1;
    }
    out << "job sent" << Qt::endl;
    return 0;
}

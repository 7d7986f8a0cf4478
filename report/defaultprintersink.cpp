#include "report/defaultprintersink.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

std::unique_ptr<QPagedPaintDevice> defaultPrinter() {
    // Without a printer QPrinter would fall back to a PDF with no file name and print nothing.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrinterError{QStringLiteral("Nessuna stampante predefinita disponibile.")};
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

DefaultPrinterSink::DefaultPrinterSink()
    : PagedDeviceSink(defaultPrinter(),
                      QStringLiteral("La stampante predefinita non accetta la stampa.")) {}

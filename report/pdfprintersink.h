#pragma once

#include "report/pageddevicesink.h"

#include <QString>

class QIODevice;

// Prints into a PDF file: A4 portrait with narrow margins, so that a 104-column line fits.
class PdfPrinterSink : public PagedDeviceSink {
  public:
    explicit PdfPrinterSink(const QString& fileName);
    // Into an open device, `fileName` naming it in a refusal.
    PdfPrinterSink(QIODevice* device, const QString& fileName);
};

#pragma once

#include "report/pageddevicesink.h"

#include <QString>

// Prints into a PDF file: A4 portrait with narrow margins, so that a 104-column line fits.
class PdfPrinterSink : public PagedDeviceSink {
  public:
    explicit PdfPrinterSink(const QString& fileName);
};

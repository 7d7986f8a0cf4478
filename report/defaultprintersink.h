#pragma once

#include "report/pageddevicesink.h"

// Prints on the system's default printer with its own paper, orientation and margins.
// Throws PrinterError when there is no default printer or it refuses the job.
class DefaultPrinterSink : public PagedDeviceSink {
  public:
    DefaultPrinterSink();
};

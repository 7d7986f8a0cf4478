#pragma once

#include "report/printersink.h"

#include <memory>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

// Paints the document on a paged device (a printer or a PDF file): each line below the
// previous one at the font's line spacing, from the top of the printable area, and a new page
// when asked or when the next line would not fit.
class PagedDeviceSink : public PrinterSink {
  public:
    // Starts painting on `device`; throws PrinterError when the device refuses.
    PagedDeviceSink(std::unique_ptr<QPagedPaintDevice> device, const QString& refusal);
    ~PagedDeviceSink() override;

    void setFont(const QString& family, double pointSize, bool bold) override;
    void printLine(const QString& line) override;
    void newPage() override;
    void endDocument() override;

  private:
    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    double ascent_ = 0;
    double lineSpacing_ = 0;
    double y_ = 0;
};

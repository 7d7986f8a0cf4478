#include "report/pageddevicesink.h"

#include <QFontMetricsF>

PagedDeviceSink::PagedDeviceSink(std::unique_ptr<QPagedPaintDevice> device, const QString& refusal)
    : device_(std::move(device)) {
    if (!painter_.begin(device_.get()))
        throw PrinterError{refusal};
    setFont(painter_.font().family(), painter_.font().pointSizeF(), false);
}

// The painter must finish with the device while the device still exists.
PagedDeviceSink::~PagedDeviceSink() {
    if (painter_.isActive())
        painter_.end();
}

void PagedDeviceSink::setFont(const QString& family, double pointSize, bool bold) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    painter_.setFont(font);
    const QFontMetricsF metrics(font, device_.get());
    ascent_ = metrics.ascent();
    lineSpacing_ = metrics.lineSpacing();
}

void PagedDeviceSink::printLine(const QString& line) {
    if (y_ > 0 && y_ + lineSpacing_ > device_->height())
        newPage();
    painter_.drawText(QPointF(0, y_ + ascent_), line);
    y_ += lineSpacing_;
}

void PagedDeviceSink::newPage() {
    if (!device_->newPage())
        throw PrinterError{QStringLiteral("Impossibile passare alla pagina successiva.")};
    y_ = 0;
}

void PagedDeviceSink::endDocument() {
    if (!painter_.end())
        throw PrinterError{QStringLiteral("Impossibile completare la stampa.")};
}

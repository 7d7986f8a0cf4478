#include "report/pdfprintersink.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {

std::unique_ptr<QPagedPaintDevice> laidOut(std::unique_ptr<QPdfWriter> writer) {
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    writer->setCreator(QStringLiteral("quadrosx"));
    return writer;
}

QString refusal(const QString& fileName) {
    return QStringLiteral("Impossibile scrivere il file PDF %1.").arg(fileName);
}

} // namespace

PdfPrinterSink::PdfPrinterSink(const QString& fileName)
    : PagedDeviceSink(laidOut(std::make_unique<QPdfWriter>(fileName)), refusal(fileName)) {}

PdfPrinterSink::PdfPrinterSink(QIODevice* device, const QString& fileName)
    : PagedDeviceSink(laidOut(std::make_unique<QPdfWriter>(device)), refusal(fileName)) {}

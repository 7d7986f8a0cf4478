#include "report/pdfprintersink.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {

std::unique_ptr<QPagedPaintDevice> pdfWriter(const QString& fileName) {
    auto writer = std::make_unique<QPdfWriter>(fileName);
    writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    writer->setCreator(QStringLiteral("quadrosx"));
    return writer;
}

} // namespace

PdfPrinterSink::PdfPrinterSink(const QString& fileName)
    : PagedDeviceSink(pdfWriter(fileName),
                      QStringLiteral("Impossibile scrivere il file PDF %1.").arg(fileName)) {}

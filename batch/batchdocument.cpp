#include "batch/batchdocument.h"

#include "report/defaultprintersink.h"
#include "report/pdfprintersink.h"

#include <QSaveFile>

BatchDocument::BatchDocument(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

// The painter lets go of the file before the file is dropped.
BatchDocument::~BatchDocument() {
    sink_.reset();
}

PrinterSink& BatchDocument::printer() {
    if (sink_)
        return *sink_;
    if (pdfFile_.isEmpty()) {
        sink_ = std::make_unique<DefaultPrinterSink>();
        return *sink_;
    }
    file_ = std::make_unique<QSaveFile>(pdfFile_);
    if (!file_->open(QIODevice::WriteOnly))
        throw PrinterError{QStringLiteral("Impossibile scrivere il file %1: %2")
                               .arg(pdfFile_, file_->errorString())};
    sink_ = std::make_unique<PdfPrinterSink>(file_.get(), pdfFile_);
    return *sink_;
}

void BatchDocument::end() {
    printer().endDocument();
    if (file_ && !file_->commit())
        throw PrinterError{QStringLiteral("Impossibile scrivere il file %1: %2")
                               .arg(pdfFile_, file_->errorString())};
}

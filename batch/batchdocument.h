#pragma once

#include "report/printersink.h"

#include <memory>
#include <QString>

class QSaveFile;

// The one document a run without a window prints: on the default printer, or into a PDF file
// that appears whole when the document ends and not at all when the run fails. It starts at
// the first use, so a run with nothing to print makes no job and no file.
class BatchDocument {
  public:
    // An empty `pdfFile` means the default printer.
    explicit BatchDocument(QString pdfFile);
    ~BatchDocument();
    BatchDocument(const BatchDocument&) = delete;
    BatchDocument& operator=(const BatchDocument&) = delete;

    PrinterSink& printer();
    bool isStarted() const { return sink_ != nullptr; }
    // Ends the document and, for a file, puts it in place. Throws PrinterError.
    void end();

  private:
    QString pdfFile_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<PrinterSink> sink_;
};

#pragma once

#include <QString>

// Where a printed document goes: the default printer, a PDF file or a recording for tests.
// Every call may throw PrinterError; the document is sent when endDocument() returns.
class PrinterSink {
  public:
    virtual ~PrinterSink() = default;
    virtual void setFont(const QString& family, double pointSize, bool bold) = 0;
    virtual void printLine(const QString& line) = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
};

struct PrinterError {
    QString description;
};

#pragma once

#include "report/printersink.h"

#include <QList>
#include <QString>
#include <QStringList>

// Keeps everything asked of the printer, in order, so that a test can read the exact document.
class RecordingPrinterSink : public PrinterSink {
  public:
    struct Event {
        enum Kind { Font, Line, NewPage, End };
        Kind kind;
        QString text; // the line, or the font's family
        double pointSize = 0;
        bool bold = false;
    };

    void setFont(const QString& family, double pointSize, bool bold) override;
    void printLine(const QString& line) override;
    void newPage() override;
    void endDocument() override;

    const QList<Event>& events() const { return events_; }
    // The printed lines alone, across all pages.
    QStringList lines() const;
    // For each new page, the index in lines() of the first line printed on it.
    QList<int> pageBreaks() const;

  private:
    QList<Event> events_;
};

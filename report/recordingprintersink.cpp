#include "report/recordingprintersink.h"

void RecordingPrinterSink::setFont(const QString& family, double pointSize, bool bold) {
    events_.append(Event{Event::Font, family, pointSize, bold});
}

void RecordingPrinterSink::printLine(const QString& line) {
    events_.append(Event{Event::Line, line});
}

void RecordingPrinterSink::newPage() {
    events_.append(Event{Event::NewPage, {}});
}

void RecordingPrinterSink::endDocument() {
    events_.append(Event{Event::End, {}});
}

QStringList RecordingPrinterSink::lines() const {
    QStringList result;
    for (const Event& event : events_) {
        if (event.kind == Event::Line)
            result.append(event.text);
    }
    return result;
}

QList<int> RecordingPrinterSink::pageBreaks() const {
    QList<int> result;
    int printed = 0;
    for (const Event& event : events_) {
        if (event.kind == Event::Line)
            ++printed;
        else if (event.kind == Event::NewPage)
            result.append(printed);
    }
    return result;
}

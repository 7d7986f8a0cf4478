#include "figures.h"
#include "report/controllist.h"
#include "report/pdfprintersink.h"
#include "report/recordingprintersink.h"

#include <QElapsedTimer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

QList<ControlList::Record> fullSchedule() {
    QList<ControlList::Record> records;
    for (int seq = 1; seq <= 31; ++seq) {
        ControlList::Record record{QStringLiteral("%1").arg(seq, 3, 10, QLatin1Char('0')), {}};
        for (int j = 1; j <= 7; ++j)
            record.sx[j] = QStringLiteral("%1,%2").arg(seq * 1000 + j * 17).arg(j * 7 % 100);
        for (int j = 8; j <= 10; ++j)
            record.sx[j] = QStringLiteral("1");
        records.append(record);
    }
    return records;
}

// The same 44 lines painted straight onto a PDF page, with no layout work.
void bareRender(const QString& file, const QStringList& lines) {
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &writer);
    double y = metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
    }
}

} // namespace

QList<Figure> Measure::controlList() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lista.pdf"));
    const ControlList::DeclarantCaptions captions{QStringLiteral(" 001"),
                                                  QStringLiteral(" ROSSI MARIO"),
                                                  QStringLiteral(" RSSMRA80A01H501U")};
    RecordingPrinterSink recording;
    ControlList::print(recording, fullSchedule(), captions);
    const QStringList lines = recording.lines();

    const int lists = 100;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < lists; ++i) {
        PdfPrinterSink sink(file);
        ControlList::print(sink, fullSchedule(), captions);
    }
    Figure figure{QStringLiteral("control list of 31 rows to PDF")};
    figure.value = double(timer.nsecsElapsed()) / 1e6 / lists;
    timer.restart();
    for (int i = 0; i < lists; ++i)
        bareRender(file, lines);
    figure.bareWhat = QStringLiteral("the same 44 lines painted on a PDF page");
    figure.bare = double(timer.nsecsElapsed()) / 1e6 / lists;
    figure.target = 50;
    return {figure};
}

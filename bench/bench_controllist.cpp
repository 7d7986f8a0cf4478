// Time to build and render one full control list (summary row and 30 region rows) to PDF.
#include "report/controllist.h"
#include "report/pdfprintersink.h"

#include <cstdio>
#include <QElapsedTimer>
#include <QGuiApplication>
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

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("lista.pdf"));
    const ControlList::DeclarantCaptions captions{QStringLiteral(" 001"),
                                                  QStringLiteral(" ROSSI MARIO"),
                                                  QStringLiteral(" RSSMRA80A01H501U")};

    const int lists = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < lists; ++i) {
        PdfPrinterSink sink(file);
        ControlList::print(sink, fullSchedule(), captions);
    }
    const double msPerList = double(timer.nsecsElapsed()) / 1e6 / lists;
    std::printf("control list, 31 rows to PDF: %.2f ms per list (%d lists, target < 50 ms)\n",
                msPerList, lists);
    return 0;
}

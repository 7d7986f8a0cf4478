#include "report/controllist.h"

#include "app/trimblanks.h"
#include "editor/amount.h"
#include "report/printersink.h"

namespace ControlList {

namespace {

const QString summaryRowKey = QStringLiteral("001");

// The working values of one print: page number, lines counted on the page, next row label.
class Run {
  public:
    Run(PrinterSink& printer, const DeclarantCaptions& captions)
        : printer_(printer), captions_(captions) {}

    void printHeader() {
        ++pageNumber_;
        lineCount_ = 0;
        for (const QString& line : pageHeader(pageNumber_, captions_))
            printer_.printLine(line);
        lineCount_ = 7;
    }

    void breakPageWhenFull() {
        if (lineCount_ != fullPage)
            return;
        printer_.printLine(separatorLine());
        printer_.newPage();
        printHeader();
    }

    void printRecord(const Record& record) {
        if (record.seq == summaryRowKey)
            printSummary(record);
        else
            printRegionRow(record);
    }

    void printClosingLines() {
        printer_.printLine(QString());
        printer_.printLine(sx35Line(flag8_, flag9_, flag10_));
        printer_.printLine(separatorLine());
    }

  private:
    // The summary row takes four lines but adds only three to the count: its SX4 line is not
    // counted, so a page holding it carries one line more before it breaks.
    void printSummary(const Record& record) {
        printer_.printLine(sx1Line(record.sx[1]));
        ++lineCount_;
        printer_.printLine(QString());
        ++lineCount_;
        printer_.printLine(rowLine(rowNumber_, record));
        ++rowNumber_;
        printer_.printLine(QString());
        ++lineCount_;
        flag8_ = record.sx[8];
        flag9_ = record.sx[9];
        flag10_ = record.sx[10];
    }

    void printRegionRow(const Record& record) {
        printer_.printLine(rowLine(rowNumber_, record));
        ++rowNumber_;
        ++lineCount_;
    }

    PrinterSink& printer_;
    const DeclarantCaptions& captions_;
    int pageNumber_ = 0;
    int lineCount_ = 0;
    int rowNumber_ = 4;
    QString flag8_;
    QString flag9_;
    QString flag10_;
};

} // namespace

QString separatorLine() {
    return QString(separatorWidth, QLatin1Char('-'));
}

QString titleLine(int pageNumber) {
    const QString title = QStringLiteral("Lista di controllo QUADRO SX ") +
                          QStringLiteral("770/2004") + QStringLiteral(" Semplificato");
    return title.leftJustified(85, QLatin1Char(' ')) + QStringLiteral("Pagina ") +
           QString::number(pageNumber);
}

QString declarantLine(const DeclarantCaptions& captions) {
    return QStringLiteral("Azienda ") + trimBlanks(captions.company) + QLatin1Char(' ') +
           trimBlanks(captions.name) + QStringLiteral(" Codice fiscale ") + captions.taxCode;
}

QString columnHeadsLine() {
    return QStringLiteral("Rigo     Casella 1      Casella 2      Casella 3      Casella 4      "
                          "Casella 5      Casella 6");
}

QStringList pageHeader(int pageNumber, const DeclarantCaptions& captions) {
    return {separatorLine(), titleLine(pageNumber), separatorLine(), declarantLine(captions),
            separatorLine(), columnHeadsLine(),     separatorLine()};
}

QString amountCell(const QString& field) {
    // The list's pattern "#########0.#0" differs from the boxes' only in optional digits, so
    // it renders exactly as the display form.
    const QString rendered = trimBlanks(LibrAgg770::formatAmountText(field));
    return (QString(cellWidth, QLatin1Char(' ')) + rendered).right(cellWidth);
}

QString rowLine(int rowNumber, const Record& record) {
    QString line = QStringLiteral("SX") +
                   QString::number(rowNumber).leftJustified(2, QLatin1Char(' '), true) +
                   QLatin1Char(' ') + amountCell(record.sx[2]);
    for (int column = 3; column <= 7; ++column)
        line += QStringLiteral("  ") + amountCell(record.sx[column]);
    return line + QLatin1Char(' ');
}

QString sx1Line(const QString& sx1) {
    return QStringLiteral("SX1  ") + amountCell(sx1) + QLatin1Char(' ');
}

QString sx35Line(const QString& flag8, const QString& flag9, const QString& flag10) {
    const QString ticked = QStringLiteral("1");
    const std::array<std::pair<const QString*, int>, 3> marks{
        {{&flag8, 18}, {&flag9, 33}, {&flag10, 48}}};
    QString line = QStringLiteral("SX35 ");
    for (const auto& [flag, column] : marks) {
        if (*flag == ticked)
            line = line.leftJustified(column - 1, QLatin1Char(' ')) + QLatin1Char('X');
    }
    return line;
}

void print(PrinterSink& printer, const QList<Record>& records, const DeclarantCaptions& captions) {
    printList(printer, records, captions);
    printer.endDocument();
}

void printList(PrinterSink& printer, const QList<Record>& records,
               const DeclarantCaptions& captions) {
    Run run(printer, captions);
    printer.setFont(QStringLiteral("Courier New"), 9, false);
    run.printHeader();
    for (const Record& record : records) {
        run.breakPageWhenFull();
        run.printRecord(record);
    }
    run.breakPageWhenFull();
    run.printClosingLines();
}

} // namespace ControlList

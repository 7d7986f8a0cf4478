#pragma once

#include <array>
#include <QList>
#include <QString>
#include <QStringList>

class PrinterSink;

// The control list of one declarant: the stored Schedule SX rows printed as fixed-pitch text,
// a 7-line header on every page, one line per row and the SX35 flags at the end.
namespace ControlList {

// Columns of the amount cells and of the page.
constexpr int cellWidth = 13;
constexpr int separatorWidth = 104;
// A page is full when this many lines were counted on it.
constexpr int fullPage = 66;

// One stored row of table QUADROSX, as read: sx[j] is field SX_j (j = 1..10, sx[0] unused),
// a null QString where the field is Null.
struct Record {
    QString seq;
    std::array<QString, 11> sx;
};

// The captions of the window's declarant labels LabAZI, LabCOGNODEN and LabCF, each a blank
// followed by the value.
struct DeclarantCaptions {
    QString company;
    QString name;
    QString taxCode;
};

QString separatorLine();
QString titleLine(int pageNumber);
QString declarantLine(const DeclarantCaptions& captions);
QString columnHeadsLine();
QStringList pageHeader(int pageNumber, const DeclarantCaptions& captions);

// An amount text in the display form, right-aligned in exactly 13 columns (its rightmost 13
// characters when longer); 13 blanks for an empty or Null field.
QString amountCell(const QString& field);

// "SX" and the row number, then the cells of boxes 1-6 (fields SX_2..SX_7).
QString rowLine(int rowNumber, const Record& record);
QString sx1Line(const QString& sx1);
// The three special-statute flags (fields SX_8, SX_9, SX_10); only "1" is ticked.
QString sx35Line(const QString& flag8, const QString& flag9, const QString& flag10);

// Prints the whole list of `records`, in the order given (the SEQ order of the store), and
// ends the document.
void print(PrinterSink& printer, const QList<Record>& records, const DeclarantCaptions& captions);

// The same list, leaving the document open, so that several lists make one document.
void printList(PrinterSink& printer, const QList<Record>& records,
               const DeclarantCaptions& captions);

} // namespace ControlList

#include "editor/regioncatalogue.h"

#include "data/rowkey.h"

#include <array>
#include <stdexcept>
#include <string>

namespace RegionCatalogue {

namespace {

constexpr std::array<const char*, lastRow - firstRow + 1> labels = {
    "SX5  ERARIO",
    "SX6  ABRUZZO",
    "SX7  BASILICATA",
    "SX8  PROV.AUT.BOLZANO ADD.REG.",
    "SX9  CALABRIA",
    "SX10 CAMPANIA",
    "SX11 EMILIA ROMAGNA",
    "SX12 FRIULI VENEZIA GIULIA",
    "SX13 LAZIO",
    "SX14 LIGURIA",
    "SX15 LOMBARDIA",
    "SX16 MARCHE",
    "SX17 MOLISE",
    "SX18 PIEMONTE",
    "SX19 PUGLIA",
    "SX20 SARDEGNA",
    "SX21 SICILIA",
    "SX22 TOSCANA",
    "SX23 PROV.AUT.TRENTO ADD.REG.",
    "SX24 UMBRIA",
    "SX25 VALLE D'AOSTA",
    "SX26 VENETO",
    "SX27 SARDEGNA R.S.S.",
    "SX28 SICILIA R.S.S.",
    "SX29 VALLE D'AOSTA R.S.S.",
    "SX30 ADDIZIONALE COMUNALE",
    "SX31 PROV.AUT.BOLZANO ADD.COM.",
    "SX32 FRIULI VENEZIA GIULIA ADD.COM.",
    "SX33 PROV.AUT.TRENTO ADD.COM.",
    "SX34 VALLE D'AOSTA ADD.COM",
};

constexpr int labelWidth = 40;

} // namespace

QString label(int row) {
    if (row < firstRow || row > lastRow)
        throw std::out_of_range("no region row " + std::to_string(row));
    return QString::fromLatin1(labels[row - firstRow]);
}

QString listLine(const QString& label, const QString& rowKey) {
    return label.trimmed().leftJustified(labelWidth, QLatin1Char(' '), true) + rowKey;
}

QStringList listLines() {
    QStringList lines;
    for (int row = firstRow; row <= lastRow; ++row)
        lines << listLine(label(row), rowKey(row));
    return lines;
}

QString rowKeyOfLine(const QString& line) {
    return rowKey(line.mid(labelWidth, 3));
}

QString rowCodeOfLine(const QString& line) {
    return line.left(4);
}

} // namespace RegionCatalogue

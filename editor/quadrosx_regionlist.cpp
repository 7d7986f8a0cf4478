#include "app/quadrosx.h"
#include "editor/amount.h"
#include "editor/regioncatalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

void QUADROSX::wireRegionList() {
    connect(List2, &QListWidget::currentRowChanged, this,
            [this] { guarded([this] { List2_Click(); }); });
}

void QUADROSX::LISTASXREGIONI() {
    // Emptying the list is no click on it.
    const QSignalBlocker quiet(List2);
    List2->clear();
    List2->addItems(RegionCatalogue::listLines());
}

void QUADROSX::List2_Click() {
    cmdelimina->setEnabled(true);
    const QString line = List2->currentItem() ? List2->currentItem()->text() : QString();
    if (line.trimmed().isEmpty())
        return;
    Label2(18)->setText(RegionCatalogue::rowCodeOfLine(line));
    Label2(18)->repaint();
    SEQCORRENTE = RegionCatalogue::rowKeyOfLine(line);
    const int row = SEQCORRENTE.toInt();
    for (int j = 2; j <= 7; ++j)
        Text1(j + 10)->setText(LibrAgg770::formatAmountText(TABELLASX.cell(row, j)));
}

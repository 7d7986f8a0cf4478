#include "app/listboxevents.h"
#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "editor/amount.h"
#include "editor/regioncatalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

void QUADROSX::wireRegionList() {
    new ListBoxEvents(List2, [this] { guarded([this] { List2_Click(); }); });
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
    if (trimBlanks(line).isEmpty())
        return;
    Label2(18)->setText(RegionCatalogue::rowCodeOfLine(line));
    Label2(18)->repaint();
    SEQCORRENTE = RegionCatalogue::rowKeyOfLine(line);
    const int row = SEQCORRENTE.toInt();
    for (int j = 2; j <= 7; ++j)
        assignText(j + 10, LibrAgg770::formatAmountText(TABELLASX.cell(row, j)));
}

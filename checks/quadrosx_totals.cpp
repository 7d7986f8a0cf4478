#include "app/quadrosx.h"
#include "checks/columnsums.h"
#include "editor/amount.h"

#include <algorithm>
#include <QLineEdit>
#include <QPushButton>

void QUADROSX::wireTotals() {
    connect(Cmdtotali, &QPushButton::clicked, this,
            [this] { guarded([this] { Cmdtotali_Click(); }); });
}

void QUADROSX::Cmdtotali_Click() {
    FLAGTOTALI = 1;
    RICALCOLAIMPORTI();
    FLAGTOTALI = 0;
}

void QUADROSX::RICALCOLAIMPORTI() {
    const ColumnSums sums =
        columnSums([this](int row, int column) { return TABELLASX.cell(row, column); });
    std::copy(sums.begin(), sums.end(), SOMMACOLONNA);
    for (int k = 1; k <= 6; ++k)
        TABELLASX.setCell(1, k + 1, LibrAgg770::formatAmount(SOMMACOLONNA[k]));
    for (int k = 1; k <= 6; ++k)
        assignText(k + 1, TABELLASX.cell(1, k + 1));
    // From the row clearing, an open row's pending changes are dropped with it; the button
    // leaves them alone.
    if (FLAGTOTALI != 1)
        FLAGVARIAZRIGO = 0;
    if (sumOf(sums) != 0)
        mod_.FLAGVARIAZIONI = 1;
}

#include "app/quadrosx.h"
#include "checks/columnsums.h"
#include "editor/boxcolours.h"

#include <QCheckBox>
#include <QLineEdit>

void QUADROSX::verificaimportisx() {
    const ColumnSums sums =
        columnSums([this](int row, int column) { return TABELLASX.cell(row, column); });
    std::copy(sums.begin(), sums.end(), SOMMACOLONNA);
    FLAGTOTALI = 0;
    for (int k : differingSx4Boxes(sums, [this](int k) { return Text1(k + 1)->text(); })) {
        FLAGTOTALI = 1;
        markWrong(Text1(k + 1));
    }
    int ticked = 0;
    for (int i = 8; i <= 10; ++i)
        ticked += Check1(i)->isChecked() ? 1 : 0;
    TOTALEQUADRO = presenceTotal(
        sums, [this](int i) { return Text1(i)->text(); }, ticked);
}

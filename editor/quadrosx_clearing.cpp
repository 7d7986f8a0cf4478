#include "app/quadrosx.h"
#include "editor/amount.h"
#include "editor/boxcolours.h"

#include <QCheckBox>
#include <QLineEdit>

void QUADROSX::PULISCICAMPI() {
    for (int i = 1; i <= 17; ++i) {
        if (i >= 8 && i <= 10) {
            Check1(i)->setChecked(false);
        } else if (i <= 7 || i >= 12) {
            setNormalColours(Text1(i));
            assignText(i, LibrAgg770::zeroAmount());
        }
    }
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
}

void QUADROSX::PULISCICAMPIARRAY() {
    TABELLASX.clear();
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
}

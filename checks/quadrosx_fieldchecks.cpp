#include "app/quadrosx.h"
#include "checks/fieldchecks.h"
#include "editor/amount.h"
#include "editor/boxcolours.h"

#include <QLineEdit>

void QUADROSX::CONTROLLOCAMPI() {
    for (int i = 1; i <= 7; ++i)
        setNormalColours(Text1(i));
    // A row still open with unconfirmed changes is taken in first, as "Conferma rigo" would.
    if (FLAGVARIAZRIGO == 1) {
        CONTROLLORIGHI();
        if (mod_.FLAGBLOCCO == 1)
            return;
        MEMORIZZAARRAY();
        DISABILITAFRAMERIGHI();
    }
    mod_.FLAGBLOCCO = 0;
    verificaimportisx();

    if (FLAGTOTALI == 1) {
        MESSAGGIO = FieldChecks::sx4WarningText();
        mod_.RISPOSTA = qint16(ask(MESSAGGIO, FieldChecks::warningStyle, windowTitle()));
        // Refusing leaves the marked boxes as they are; it does not stop the storing.
        if (mod_.RISPOSTA == MessageBoxes::Yes) {
            for (int k = 1; k <= 6; ++k)
                assignText(k + 1, LibrAgg770::formatAmount(SOMMACOLONNA[k]));
            for (int k = 1; k <= 6; ++k)
                setNormalColours(Text1(k + 1));
        }
    }

    if (FieldChecks::sx1ExceedsSx4Box3(Text1(1)->text(), Text1(4)->text())) {
        MESSAGGIO = FieldChecks::sx1WarningText();
        mod_.RISPOSTA = qint16(ask(MESSAGGIO, FieldChecks::warningStyle, windowTitle()));
        if (mod_.RISPOSTA != MessageBoxes::Yes) {
            markWrong(Text1(1));
            mod_.FLAGBLOCCO = 1;
            Text1(1)->setFocus();
        }
    }
}

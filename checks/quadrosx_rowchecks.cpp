#include "app/quadrosx.h"
#include "checks/rowchecks.h"
#include "editor/amount.h"
#include "editor/boxcolours.h"

#include <QLabel>
#include <QLineEdit>

using namespace RowChecks;

void QUADROSX::CONTROLLORIGHI() {
    const auto box = [this](int n) { return Text1(n + 11); };
    // Read afresh at every step, so that the rules see what the automatic box 6 wrote. A box
    // holding no number (a lone sign, pasted text) counts as 0, as VALIDAIMPORTO reads it.
    const auto amounts = [&box] { return boxValues([&box](int n) { return box(n)->text(); }); };
    const auto title = [this](int n) { return testate3(n + 11)->text(); };
    const auto writeBox6 = [this](const QString& text) { assignText(17, text); };

    mod_.FLAGBLOCCO = 0;
    mod_.RISPOSTA = qint16(ask(box6Question(), questionStyle, windowTitle()));
    if (mod_.RISPOSTA == MessageBoxes::Yes) {
        writeBox6(automaticBox6(amounts()));
        const qint64 w = amounts()[6];
        if (box6GoesToZero(w)) {
            ask(box6ZeroInformation(w), informationStyle, windowTitle());
            writeBox6(LibrAgg770::formatAmount(0.0));
        }
    }

    for (const Rule rule : rules) {
        if (!isBroken(rule, amounts()))
            continue;
        QLineEdit* wrong = box(boxOf(rule));
        markWrong(wrong);
        mod_.RISPOSTA = qint16(ask(warningText(rule, title), questionStyle, windowTitle()));
        if (mod_.RISPOSTA != MessageBoxes::Yes) {
            mod_.FLAGBLOCCO = 1;
            wrong->setFocus();
            return;
        }
        setNormalColours(wrong);
    }
}

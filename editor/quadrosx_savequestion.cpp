#include "app/quadrosx.h"

void QUADROSX::MESSAGGIOVARIAZ() {
    const int answer = ask(QStringLiteral("Sono state effettuate delle variazioni") + CR() +
                               QStringLiteral("Salvare ?"),
                           MessageBoxes::YesNoCancel + MessageBoxes::Question, windowTitle());
    mod_.RISPOSTA = qint16(answer);
    // The checks ask questions of their own: what follows goes by this answer.
    if (answer == MessageBoxes::Yes) {
        CONTROLLOCAMPI();
        if (mod_.FLAGBLOCCO != 1) {
            MEMORIZZADATI();
            mod_.FLAGVARIAZIONI = 0;
        }
    } else if (answer == MessageBoxes::No) {
        mod_.FLAGVARIAZIONI = 0;
    }
}

bool QUADROSX::mayLeaveSchedule() {
    if (mod_.FLAGVARIAZIONI != 1)
        return true;
    MESSAGGIOVARIAZ();
    if (ended_)
        return false;
    // A check that stopped wins over the answer: the schedule stays for the user to correct.
    if (mod_.FLAGBLOCCO == 1)
        return false;
    if (mod_.RISPOSTA == MessageBoxes::Cancel)
        return false;
    if (mod_.RISPOSTA == MessageBoxes::No) {
        mod_.FLAGBLOCCO = 0;
        mod_.FLAGVARIAZIONI = 0;
        FLAGVARIAZRIGO = 0;
    }
    return true;
}

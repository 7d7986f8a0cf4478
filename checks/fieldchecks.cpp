#include "checks/fieldchecks.h"

#include "editor/amount.h"

namespace FieldChecks {

QString sx4WarningText() {
    return QStringLiteral("ATTENZIONE !!!!") + CR() + QStringLiteral("Controllo campi SX4") + CR() +
           CR() + QStringLiteral("I campi evidenziati sono diversi dalla somma ") + CR() +
           QStringLiteral("delle relative colonne del quadro SX (da SX5 a SX34)") + CR() + CR() +
           QStringLiteral("Vuoi ricalcolare gli importi ?");
}

QString sx1WarningText() {
    return QStringLiteral("ATTENZIONE !!!!") + CR() +
           QStringLiteral("Controllo campo SX1 casella 1") + CR() + CR() +
           QStringLiteral("Campo SX1 casella 1 maggiore di casella SX4 casella 3 ") + CR() +
           QStringLiteral("Vuoi continuare ugualmente?");
}

bool sx1ExceedsSx4Box3(const QString& sx1, const QString& sx4Box3) {
    return LibrAgg770::amountOf(sx1) > LibrAgg770::amountOf(sx4Box3);
}

} // namespace FieldChecks

#include "app/names.h"
#include "app/quadrosx.h"
#include "data/yeardatabase.h"

namespace {

// Closing a recordset that was never opened fails with 91, one already closed with 3420.
template <typename Recordset> void closeRecordset(const std::unique_ptr<Recordset>& recordset) {
    if (!recordset)
        throw DatabaseError{91, QStringLiteral("Variabile oggetto non impostata")};
    recordset->close();
}

bool closingGoesOn(const DatabaseError& error, bool alreadyClosedToo) {
    return error.number == 91 || (alreadyClosedToo && error.number == 3420);
}

} // namespace

void QUADROSX::APRIDATABASE() {
    mod_.DBARCHIVIO = openYearDatabase(
        Names770::localPath(mod_.DIRARCHIVI + Names770::yearDatabaseFile()), mod_.SERVERARCHIVI);
}

void QUADROSX::APRITAB() {
    mod_.TABFRONTESPIZIO = mod_.DBARCHIVIO->openTable(QStringLiteral("FRONTESPIZIO"));
    mod_.TABFRONTESPIZIO->setIndex(QStringLiteral("CHIAVE"));
    mod_.TABQUADROSX = mod_.DBARCHIVIO->openTable(QStringLiteral("QUADROSX"));
    mod_.TABQUADROSX->setIndex(QStringLiteral("CHIAVE"));
}

void QUADROSX::CHIUDITAB() {
    for (auto* table : {&mod_.TABFRONTESPIZIO, &mod_.TABQUADROSX}) {
        try {
            closeRecordset(*table);
        } catch (const DatabaseError& error) {
            if (!closingGoesOn(error, false))
                return;
        }
    }
}

void QUADROSX::CHIUDIDATABASE() {
    // Silent by design: at the end of the run nothing is left to tell the user.
    try {
        for (auto* table : {&mod_.TABFRONTESPIZIO, &mod_.TABQUADROSX})
            try {
                closeRecordset(*table);
            } catch (const DatabaseError& error) {
                if (!closingGoesOn(error, true))
                    throw;
            }
        for (auto* query : {&mod_.RSQUERY, &mod_.RSLISTA})
            try {
                closeRecordset(*query);
            } catch (const DatabaseError& error) {
                if (!closingGoesOn(error, true))
                    throw;
            }
    } catch (const DatabaseError&) {
    }
    if (!mod_.DBARCHIVIO)
        return;
    mod_.TABFRONTESPIZIO.reset();
    mod_.TABQUADROSX.reset();
    mod_.RSQUERY.reset();
    mod_.RSLISTA.reset();
    mod_.DBARCHIVIO->close();
}

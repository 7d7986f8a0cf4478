#include "app/readonlydatabase.h"

#include "app/environment.h"
#include "app/names.h"
#include "data/yeardatabase.h"

std::unique_ptr<Database> openYearDatabaseForReading() {
    const QString archives = LEGGIREGISTRO(Hive::CurrentUser, Names770::registryKey(),
                                           QStringLiteral("PERCORSOARCHIVI"));
    if (archives.isEmpty())
        throw BatchFailure{QStringLiteral("Non trovata procedura Zavirten: manca l'impostazione "
                                          "PERCORSOARCHIVI.")};
    return openYearDatabase(
        Names770::localPath(archives + Names770::yearDatabaseFile()),
        LEGGIREGISTRO(Hive::CurrentUser, Names770::registryKey(), QStringLiteral("SERVERARCHIVI")),
        Database::Access::ReadOnly);
}

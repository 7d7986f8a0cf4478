#include "batch/readonlydatabase.h"

#include "app/environment.h"
#include "app/names.h"
#include "data/accessfile.h"
#include "data/serverconnection.h"
#include "data/yeardatabase.h"

std::unique_ptr<Database> openYearDatabaseForReading() {
    const QString archives = LEGGIREGISTRO(Hive::CurrentUser, Names770::registryKey(),
                                           QStringLiteral("PERCORSOARCHIVI"));
    if (archives.isEmpty())
        throw BatchFailure{QStringLiteral("Non trovata procedura Zavirten: manca l'impostazione "
                                          "PERCORSOARCHIVI.")};
    const QString yearDatabase = Names770::localPath(archives + Names770::yearDatabaseFile());
    const QString server =
        LEGGIREGISTRO(Hive::CurrentUser, Names770::registryKey(), QStringLiteral("SERVERARCHIVI"));
    if (!server.isEmpty() && !serverDatabasesBuiltIn())
        throw BatchFailure{serverNotBuiltNotice().replace(QChar(13), QLatin1Char('\n'))};
    const AccessFile::Format format =
        server.isEmpty() ? AccessFile::formatOf(yearDatabase) : AccessFile::Format::None;
    if (format != AccessFile::Format::None)
        throw BatchFailure{AccessFile::notice(yearDatabase, format, archives)
                               .replace(QLatin1Char('\r'), QLatin1Char('\n'))};
    return openYearDatabase(yearDatabase, server, Database::Access::ReadOnly);
}

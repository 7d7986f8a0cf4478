#include "batch/batchrun.h"

#include "batch/batchdocument.h"
#include "batch/progressline.h"
#include "batch/readonlydatabase.h"
#include "checks/schedulefindings.h"
#include "data/keyforms.h"
#include "data/queryrecordset.h"
#include "data/rowkey.h"
#include "data/sxtable.h"
#include "report/controllist.h"
#include "report/findingsreport.h"
#include "report/storedrecords.h"
#include "selection/declarantline.h"

#include <functional>
#include <QFont>
#include <QGuiApplication>
#include <QTextStream>

namespace {

using ControlList::Record;

struct Declarant {
    QString company; // the keys of its stored rows, cut from its line as the window cuts them
    QString taxCode;
    ControlList::DeclarantCaptions captions;
};

Declarant declarantOf(const QString& line) {
    const DeclarantHeader header = declarantHeader(line);
    return {companyCodeOfLine(line),
            taxCodeOfLine(line),
            {header.company, header.name, header.taxCode}};
}

// The front page in company-code order, or the declarants of one company code.
QList<Declarant> frontPage(Database& db, const QString& onlyCompany) {
    QList<Declarant> declarants;
    const auto list =
        db.openQuery(QStringLiteral("SELECT * FROM frontespizio order by codazi, cfd"));
    if (list->recordCount() != 0) {
        QList<int> fields;
        for (const char* name : {"CODAZI", "CFD", "FR_1", "FR_2", "FR_3", "fr_14"})
            fields << list->fieldIndex(QString::fromLatin1(name));
        list->moveFirst();
        while (!list->eof()) {
            const Declarant declarant = declarantOf(declarantLine(
                list->field(fields[0]), list->field(fields[1]), list->field(fields[2]),
                list->field(fields[3]), list->field(fields[4]), list->field(fields[5])));
            if (onlyCompany.isEmpty() ||
                declarant.company.trimmed().compare(onlyCompany, Qt::CaseInsensitive) == 0)
                declarants.append(declarant);
            list->moveNext();
        }
    }
    list->close();
    if (declarants.isEmpty() && !onlyCompany.isEmpty())
        throw BatchFailure{
            QStringLiteral("Nessun dichiarante con codice azienda %1.").arg(onlyCompany)};
    return declarants;
}

using ScheduleWork = std::function<void(const Declarant&, const QList<Record>&)>;

// Reads each declarant's stored rows in turn and hands on those that have any; returns how
// many had. Each declarant's rows come from one query, so they belong to one storing.
int forEverySchedule(Database& db, const QList<Declarant>& declarants, const ScheduleWork& work) {
    ProgressLine progress(int(declarants.size()));
    std::unique_ptr<QueryRecordset> query;
    int withRows = 0;
    for (int i = 0; i < declarants.size(); ++i) {
        const Declarant& declarant = declarants.at(i);
        const QVariantList keys = QVariantList{declarant.company} + keyForms(declarant.taxCode);
        // One query, prepared once: each declarant's rows are read to the end, so no lock is
        // held between two declarants.
        if (query)
            query->requery(keys);
        else
            query = db.openQuery(ControlList::storedFieldsQuery(), keys);
        const QList<Record> records = ControlList::readRecords(*query);
        if (!records.isEmpty()) {
            ++withRows;
            work(declarant, records);
        }
        progress.done(i + 1);
    }
    if (query)
        query->close();
    return withRows;
}

// The SX row table as the window loads it from the same rows.
SxTable tableOf(const QList<Record>& records) {
    SxTable table;
    for (const Record& record : records)
        if (const int row = rowOfKey(record.seq))
            takeStoredRow(table, row, [&record](int j) { return record.sx[j]; });
    return table;
}

int printControlLists(Database& db, const BatchOptions& options) {
    BatchDocument document(options.printer ? QString() : options.pdfFile);
    forEverySchedule(db, frontPage(db, options.declarant),
                     [&document](const Declarant& declarant, const QList<Record>& records) {
                         if (document.isStarted())
                             document.printer().newPage();
                         ControlList::printList(document.printer(), records, declarant.captions);
                     });
    if (!document.isStarted())
        throw BatchFailure{QStringLiteral("Nessun dichiarante ha righe del quadro SX memorizzate: "
                                          "nessuna lista di controllo.")};
    document.end();
    return 0;
}

int checkEverySchedule(Database& db, const BatchOptions& options, QTextStream& out) {
    QList<FindingsReport::DeclarantFindings> found;
    if (options.csv)
        out << FindingsReport::csvHeader() << '\n';
    const int checked = forEverySchedule(
        db, frontPage(db, options.declarant),
        [&](const Declarant& declarant, const QList<Record>& records) {
            const SxTable table = tableOf(records);
            const QList<ScheduleFindings::Finding> findings = ScheduleFindings::findingsOf(
                [&table](int row, int column) { return table.cell(row, column); });
            for (const ScheduleFindings::Finding& finding : findings)
                out << (options.csv ? FindingsReport::csvLine(declarant.captions, finding)
                                    : FindingsReport::textLine(declarant.captions, finding))
                    << '\n';
            if (!findings.isEmpty())
                found.append({declarant.captions, findings});
        });
    out.flush();
    if (!options.pdfFile.isEmpty()) {
        BatchDocument document(options.pdfFile);
        FindingsReport::print(document.printer(), found, checked);
        document.end();
    }
    return found.isEmpty() ? 0 : 1;
}

} // namespace

int runBatch(const BatchOptions& options, QTextStream& out, QTextStream& err) {
    try {
        const std::unique_ptr<Database> db = openYearDatabaseForReading();
        return options.work == BatchOptions::Work::Check ? checkEverySchedule(*db, options, out)
                                                         : printControlLists(*db, options);
    } catch (const DatabaseError& error) {
        err << QStringLiteral("Errore n. %1: %2").arg(error.number).arg(error.description);
    } catch (const PrinterError& error) {
        err << QStringLiteral("Errore di stampa: %1").arg(error.description);
    } catch (const BatchFailure& failure) {
        err << failure.message;
    } catch (const std::exception& error) {
        err << QString::fromLocal8Bit(error.what());
    }
    err << '\n';
    err.flush();
    return 2;
}

int batchMain(int argc, char** argv) {
    // No window is ever shown: the work runs alike on a desktop and on a server with no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    BatchOptions options;
    try {
        options = parseBatchOptions(QCoreApplication::arguments().mid(1));
    } catch (const BatchUsageError& error) {
        err << "quadrosx: " << error.message << "\nLe opzioni: quadrosx --help\n";
        return 2;
    }
    if (options.work == BatchOptions::Work::Help) {
        out << batchHelp();
        return 0;
    }
    return runBatch(options, out, err);
}

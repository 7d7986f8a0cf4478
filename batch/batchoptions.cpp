#include "batch/batchoptions.h"

namespace {

const QString controlLists = QStringLiteral("--control-lists");
const QString check = QStringLiteral("--check");
const QString help = QStringLiteral("--help");
const QString printer = QStringLiteral("--printer");
const QString csv = QStringLiteral("--csv");
const QString pdf = QStringLiteral("--pdf");
const QString declarant = QStringLiteral("--declarant");

[[noreturn]] void wrong(const QString& message) {
    throw BatchUsageError{message};
}

bool isOption(const QString& argument) {
    return argument.startsWith(QLatin1String("--"));
}

// The value after the option at `i`, which moves onto it.
QString valueOf(const QStringList& arguments, int& i, const QString& what) {
    if (i + 1 >= arguments.size() || isOption(arguments.at(i + 1)))
        wrong(QStringLiteral("%1 vuole %2.").arg(arguments.at(i), what));
    return arguments.at(++i);
}

void setWork(BatchOptions& options, BatchOptions::Work work, const QString& option) {
    if (options.work != BatchOptions::Work::Help)
        wrong(QStringLiteral("%1 non va insieme a %2 o %3.").arg(option, controlLists, check));
    options.work = work;
}

void checkCombination(const BatchOptions& options, const QStringList& seen) {
    using Work = BatchOptions::Work;
    if (options.work == Work::Help)
        wrong(QStringLiteral("Manca %1 oppure %2.").arg(controlLists, check));
    if (options.work == Work::ControlLists) {
        if (options.printer == !options.pdfFile.isEmpty())
            wrong(QStringLiteral("%1 vuole il nome del file PDF oppure %2.")
                      .arg(controlLists, printer));
        for (const QString& option : {csv, pdf})
            if (seen.contains(option))
                wrong(QStringLiteral("%1 vale soltanto con %2.").arg(option, check));
    } else if (options.printer) {
        wrong(QStringLiteral("%1 vale soltanto con %2.").arg(printer, controlLists));
    }
}

} // namespace

bool isBatchCommandLine(int argc, char** argv) {
    if (argc < 2)
        return false;
    const QString first = QString::fromLocal8Bit(argv[1]);
    for (const QString& option : {controlLists, check, help, printer, csv, pdf, declarant})
        if (first == option)
            return true;
    return false;
}

BatchOptions parseBatchOptions(const QStringList& arguments) {
    BatchOptions options;
    QStringList seen;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (seen.contains(argument))
            wrong(QStringLiteral("%1 compare due volte.").arg(argument));
        if (isOption(argument))
            seen << argument;
        if (argument == help || argument == QLatin1String("-h")) {
            return BatchOptions{};
        } else if (argument == controlLists) {
            setWork(options, BatchOptions::Work::ControlLists, argument);
            if (i + 1 < arguments.size() && !isOption(arguments.at(i + 1)))
                options.pdfFile = arguments.at(++i);
        } else if (argument == check) {
            setWork(options, BatchOptions::Work::Check, argument);
        } else if (argument == printer) {
            options.printer = true;
        } else if (argument == csv) {
            options.csv = true;
        } else if (argument == pdf) {
            options.pdfFile = valueOf(arguments, i, QStringLiteral("il nome del file PDF"));
        } else if (argument == declarant) {
            options.declarant =
                valueOf(arguments, i, QStringLiteral("un codice azienda")).trimmed();
        } else {
            wrong(QStringLiteral("Opzione sconosciuta: %1").arg(argument));
        }
    }
    checkCombination(options, seen);
    return options;
}

QString batchHelp() {
    return QStringLiteral(
        "Uso: quadrosx --control-lists FILE.pdf [--declarant CODICE]\n"
        "     quadrosx --control-lists --printer [--declarant CODICE]\n"
        "     quadrosx --check [--csv] [--pdf FILE.pdf] [--declarant CODICE]\n"
        "     quadrosx --help\n"
        "\n"
        "Senza opzioni si apre la finestra del quadro SX, come la avvia la procedura.\n"
        "Con un'opzione il programma lavora senza finestra e senza schermo sull'archivio\n"
        "dell'anno indicato dalle impostazioni (PERCORSOARCHIVI), che legge soltanto.\n"
        "\n"
        "  --control-lists FILE.pdf  la lista di controllo di ogni dichiarante con righe\n"
        "                            memorizzate, in ordine di codice azienda, ognuna da\n"
        "                            pagina nuova, in un solo file PDF\n"
        "  --printer                 con --control-lists: sulla stampante predefinita\n"
        "  --check                   i controlli del quadro SX su ogni dichiarante con righe\n"
        "                            memorizzate: una riga per anomalia\n"
        "  --csv                     con --check: righe per foglio di calcolo (separatore ;)\n"
        "  --pdf FILE.pdf            con --check: anche un rapporto stampabile\n"
        "  --declarant CODICE        soltanto i dichiaranti con questo codice azienda\n"
        "  --help                    questo aiuto\n"
        "\n"
        "Esito: 0 nessuna anomalia (o liste prodotte), 1 anomalie trovate, 2 errore.\n");
}

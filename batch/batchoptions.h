#pragma once

#include <QString>
#include <QStringList>

// Started with an option instead of by the suite, the program works with no window: every
// declarant's control list, or the check of every schedule.
struct BatchOptions {
    enum class Work { Help, ControlLists, Check };
    Work work = Work::Help;
    QString pdfFile;      // the control lists' file, or the check's printable report
    bool printer = false; // the control lists go to the default printer
    bool csv = false;     // the check's findings for a spreadsheet
    QString declarant;    // only this company code; empty for every declarant
};

// A command line the batch work does not understand.
struct BatchUsageError {
    QString message;
};

// Whether the command line asks for the batch work: its first argument is one of its options.
// Anything else, another "--" text included, is the suite's own command line for the window.
bool isBatchCommandLine(int argc, char** argv);

// `arguments` without the program's name. Throws BatchUsageError.
BatchOptions parseBatchOptions(const QStringList& arguments);

QString batchHelp();

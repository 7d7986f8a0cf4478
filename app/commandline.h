#pragma once

#include <QByteArray>
#include <QString>

// The program's command line as the process received it, without the program's own name: the
// toolkit's options (-style, -platform ...) are not taken out and quotes stay where they were.
QString rawCommandArguments();

// The arguments of a Windows command line: what follows the program's name, quoted or not, and
// the blanks after it.
QString argumentsOfCommandLine(const QString& commandLine);

// The arguments of a Linux /proc/<pid>/cmdline (NUL after each), joined by one blank.
QString argumentsOfProcCmdline(const QByteArray& cmdline);

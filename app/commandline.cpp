#include "app/commandline.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#ifdef Q_OS_WIN
#include "app/windows/windowsapi.h"
#endif

QString argumentsOfCommandLine(const QString& commandLine) {
    qsizetype i = 0;
    if (commandLine.startsWith(QLatin1Char('"'))) {
        const qsizetype close = commandLine.indexOf(QLatin1Char('"'), 1);
        i = close < 0 ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && commandLine.at(i) != QLatin1Char(' ') &&
           commandLine.at(i) != QLatin1Char('\t'))
        ++i;
    while (i < commandLine.size() &&
           (commandLine.at(i) == QLatin1Char(' ') || commandLine.at(i) == QLatin1Char('\t')))
        ++i;
    return commandLine.mid(i);
}

QString argumentsOfProcCmdline(const QByteArray& cmdline) {
    QStringList arguments;
    for (const QByteArray& argument : cmdline.split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    if (cmdline.endsWith('\0'))
        arguments.removeLast();
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString rawCommandArguments() {
#ifdef Q_OS_WIN
    return argumentsOfCommandLine(QString::fromStdWString(WindowsApi::commandLine()));
#else
    // The kernel keeps the arguments as they were passed; the toolkit only reorders its copy.
    QFile cmdline(QStringLiteral("/proc/self/cmdline"));
    if (cmdline.open(QIODevice::ReadOnly))
        return argumentsOfProcCmdline(cmdline.readAll());
    // Systems without /proc: the arguments the toolkit left.
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
#endif
}

// A workstation storing schedules through the real window, over and over, until it is killed:
//
//   sxstorer <archives folder> <first storing> [storings]
//
// Storing n writes "n,00" into every amount of the schedule of the declarant on line n modulo
// their count. It tells "ready", then "begin <n> <company>" before pressing "Memorizza" and
// "done <n> <company>" once the window shows what was stored. Without a count of storings it ends
// after two minutes. Anything unexpected is told on standard error, exit code 2.
// SXSTORER_SERVER names the server the year's database is on. With SXSTORER_SHARED another
// storer works on the same declarants: it waits for a line on standard input after "ready", and
// the window may then show the other's storing, as long as whole.

#include "windowharness.h"

#include <cstdio>
#include <limits>
#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

void say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

[[noreturn]] void giveUp(const QString& why, const WindowHarness& h) {
    QString boxes;
    for (const auto& box : h.boxes.boxes)
        boxes += QStringLiteral("\n  box: ") + QString(box.text).replace(QChar(13), u' ');
    std::fprintf(stderr, "sxstorer: %s%s\n", qPrintable(why), qPrintable(boxes));
    std::fflush(stderr);
    // Ends at once, as the program does after its error report.
    std::_Exit(2);
}

bool showsOneStoring(const WindowHarness& h, const QString& amount) {
    static const QRegularExpression stored(QStringLiteral("^[1-9]\\d*,00$"));
    const QString shown = h.window->Text1(1)->text();
    for (int k = 2; k <= 7; ++k)
        if (h.window->Text1(k)->text() != shown)
            return false;
    return shown == amount ||
           (qEnvironmentVariableIsSet("SXSTORER_SHARED") && stored.match(shown).hasMatch());
}

void store(WindowHarness& h, qint64 n) {
    const QString company =
        h.window->List1->item(int(n % h.window->List1->count()))->text().left(3);
    const QString amount = QString::number(n) + QStringLiteral(",00");
    h.open(company);
    if (h.window->ended() || !h.window->Frmmoduli(0)->isVisible())
        giveUp(QStringLiteral("declarant %1 did not open").arg(company), h);
    for (int k = 1; k <= 7; ++k)
        h.type(h.window->Text1(k), QStringLiteral("\b") + amount);
    for (int row = 2; row <= 31; ++row)
        for (int column = 2; column <= 7; ++column)
            h.window->TABELLASX.setCell(row, column, amount);
    // Every SX4 box differs from its column's sum: the warning is answered "keep them".
    h.boxes.answer({MessageBoxes::No});
    say(QStringLiteral("begin %1 %2").arg(n).arg(company));
    h.click(h.window->cmdmemorizza);
    if (h.boxes.boxes.size() != 1 || h.boxes.unexpected || h.window->ended() ||
        !showsOneStoring(h, amount))
        giveUp(QStringLiteral("storing %1 did not go through").arg(n), h);
    say(QStringLiteral("done %1 %2").arg(n).arg(company));
    h.boxes.boxes.clear();
    h.click(h.window->cmdselprec(1));
    if (h.window->ended() || !h.window->List1->isVisible())
        giveUp(QStringLiteral("the list did not come back"), h);
}

} // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_LINUX
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The storer's own database is never made on the test server.
    qunsetenv("QUADROSX_TEST_SERVER");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    WindowHarness h;
    if (args.size() != 3 && args.size() != 4)
        giveUp(QStringLiteral("usage: sxstorer <archives folder> <first storing> [storings]"), h);
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "TARVESSI", "ZAVIRTEN");
    settings.setValue(QStringLiteral("PERCORSOARCHIVI"), args.at(1));
    settings.setValue(QStringLiteral("SERVERARCHIVI"), qEnvironmentVariable("SXSTORER_SERVER"));
    settings.sync();
    qint64 n = args.at(2).toLongLong();
    const qint64 last =
        args.size() == 4 ? n + args.at(3).toLongLong() - 1 : std::numeric_limits<qint64>::max();
    h.start();
    if (h.window->ended() || h.window->List1->count() == 0)
        giveUp(QStringLiteral("the window did not get as far as the list"), h);
    say(QStringLiteral("ready"));
    char go[8];
    if (qEnvironmentVariableIsSet("SXSTORER_SHARED") && !std::fgets(go, sizeof go, stdin))
        giveUp(QStringLiteral("no word to go"), h);
    for (const QDeadlineTimer lifetime(120000); n <= last && !lifetime.hasExpired(); ++n)
        store(h, n);
    return 0;
}

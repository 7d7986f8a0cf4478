// Stores schedules through the real window, over and over, until it is killed.
//
//   sxstorer <archives folder> <first generation> [storings]
//
// The archives folder must already hold the template and the year's database; nothing is made
// here. Storing n writes the amount text "n,00" into every amount of one declarant's schedule
// (the SX1 box, the six SX4 boxes and every box of the thirty region rows); storing n is for the
// declarant on line n modulo their count, so the declarants take their turns across runs. Lines on
// standard output, each written whole:
//   ready             the window lists the declarants
//   begin <n> <code>  "Memorizza" is about to be pressed for storing n of company <code>
//   done <n> <code>   storing n is over and the window shows what was stored
// With a count of storings it ends by itself after them, else after two minutes. Any unexpected
// message box or end of the run is told on standard error, exit code 2.
//
// With SXSTORER_SERVER set to a URI, the year's database is on that server. With SXSTORER_SHARED
// set, another storer works on the same declarants: it waits for a line on standard input after
// "ready", and after each storing the window may show the other's storing, as long as whole.

#include "app/quadrosx.h"
#include "report/recordingprintersink.h"
#include "testdoubles.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace {

// A storer whose test died must not run on.
constexpr int lifetimeMs = 120000;

bool shared() {
    return qEnvironmentVariableIsSet("SXSTORER_SHARED");
}

void say(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

[[noreturn]] void giveUp(const QString& why) {
    std::fputs(qPrintable(QStringLiteral("sxstorer: ") + why + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
    // Ends at once, as the program does after its error report: the window is still up.
    std::_Exit(2);
}

class Storer {
  public:
    Storer()
        : window_(mod_, Services{boxes_, platform_,
                                 [] { return std::make_unique<RecordingPrinterSink>(); }}) {}

    void start() {
        mod_.COMMANDLINE = QStringLiteral("/R1.0");
        window_.startUp();
        if (window_.ended() || !window_.List1->isVisible() || window_.List1->count() == 0)
            giveUp(QStringLiteral("the window did not get as far as the list") + boxTexts());
        window_.activateWindow();
        if (!QTest::qWaitForWindowActive(&window_))
            giveUp(QStringLiteral("the window never became active"));
        for (int i = 0; i < window_.List1->count(); ++i)
            companies_ << window_.List1->item(i)->text().left(3);
    }

    int declarants() const { return int(companies_.size()); }

    void store(int declarant, qint64 generation) {
        const QString company = companies_.at(declarant);
        const QString amount = QString::number(generation) + QStringLiteral(",00");
        open(declarant);
        for (int k = 1; k <= 7; ++k)
            type(window_.Text1(k), amount);
        for (int row = 2; row <= 31; ++row)
            for (int column = 2; column <= 7; ++column)
                window_.TABELLASX.setCell(row, column, amount);
        // Every SX4 box differs from its column's sum: the warning is answered "keep them".
        boxes_.answer({MessageBoxes::No});
        say(QStringLiteral("begin %1 %2").arg(generation).arg(company));
        window_.cmdmemorizza->click();
        if (boxes_.boxes.size() != 1 || boxes_.pendingAnswers() != 0 || window_.ended() ||
            !showsOneStoring(amount))
            giveUp(QStringLiteral("storing %1 did not go through").arg(generation) + boxTexts());
        say(QStringLiteral("done %1 %2").arg(generation).arg(company));
        boxes_.boxes.clear();
        window_.cmdselprec(1)->click();
        if (!window_.FrmSelezione(0)->isVisible())
            giveUp(QStringLiteral("the list did not come back"));
    }

  private:
    bool showsOneStoring(const QString& amount) const {
        static const QRegularExpression stored(QStringLiteral("^[1-9]\\d*,00$"));
        const QString shown = window_.Text1(1)->text();
        for (int k = 2; k <= 7; ++k)
            if (window_.Text1(k)->text() != shown)
                return false;
        return shown == amount || (shared() && stored.match(shown).hasMatch());
    }

    void open(int declarant) {
        QListWidget* list = window_.List1;
        QListWidgetItem* item = list->item(declarant);
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        if (window_.ended() || !window_.Frmmoduli(0)->isVisible())
            giveUp(QStringLiteral("declarant %1 did not open").arg(companies_.at(declarant)) +
                   boxTexts());
    }

    // Backspace clears an amount box; then the amount is typed key by key.
    static void type(QLineEdit* box, const QString& amount) {
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_Backspace);
        for (const QChar key : amount)
            QTest::keyClick(box, key.toLatin1());
    }

    QString boxTexts() const {
        QString texts;
        for (const auto& box : boxes_.boxes)
            texts += QStringLiteral("\n  box: ") + QString(box.text).replace(QChar(13), u' ');
        for (const int code : platform_.endings)
            texts += QStringLiteral("\n  end of the run, code %1").arg(code);
        return texts;
    }

    RecordingMessageBoxes boxes_;
    RecordingPlatform platform_;
    MOD770BAS mod_;
    QUADROSX window_;
    QStringList companies_;
};

// Settings of this run's own, naming the archives folder; the user's are never read.
void pointSettingsAt(const QString& archives) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TARVESSI"),
                       QStringLiteral("ZAVIRTEN"));
    settings.setValue(QStringLiteral("PERCORSOARCHIVI"), archives);
    settings.setValue(QStringLiteral("PERCORSOPROGRAMMI"), archives);
    settings.setValue(QStringLiteral("SERVERARCHIVI"), qEnvironmentVariable("SXSTORER_SERVER"));
}

} // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_LINUX
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    if (argc != 3 && argc != 4)
        giveUp(QStringLiteral("usage: sxstorer <archives folder> <first generation> [storings]"));
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString archives = QString::fromLocal8Bit(argv[1]);
    bool ok = false;
    const qint64 first = QString::fromLocal8Bit(argv[2]).toLongLong(&ok);
    if (!ok || first < 1)
        giveUp(QStringLiteral("the first generation must be a number from 1"));
    const qint64 last = argc == 4 ? first + QString::fromLocal8Bit(argv[3]).toLongLong() - 1
                                  : std::numeric_limits<qint64>::max();
    pointSettingsAt(archives);

    Storer storer;
    storer.start();
    say(QStringLiteral("ready"));
    char go[8];
    if (shared() && !std::fgets(go, sizeof go, stdin))
        giveUp(QStringLiteral("no word to go"));
    const QDeadlineTimer lifetime(lifetimeMs);
    for (qint64 generation = first; generation <= last && !lifetime.hasExpired(); ++generation)
        storer.store(int(generation % storer.declarants()), generation);
    return 0;
}

// Stand-in for the suite's main program 7702004.EXE: a small window titled 7702004 whose
// button starts quadrosx, the Schedule SX module. quadrosx brings this window back to the
// front when it ends, or starts this program again when the window is gone.
//
// Usage: suite7702004 [--start]
//   --start  starts quadrosx at once, as if the button had been pressed.
//
// quadrosx is found through the environment variable QUADROSX_EXE; without it, beside the real
// file of this program (links followed) or one folder up, where the build puts it.
//
// The release designation goes to quadrosx as one argument, "/R" followed by the release:
// quadrosx joins its arguments with blanks and shows the text from the third character on.

#include "app/names.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString releaseArgument() {
    return QStringLiteral("/R1.0.0 ") + Names770::year();
}

QString quadrosxPath() {
    const QString fromEnvironment = qEnvironmentVariable("QUADROSX_EXE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QDir own = QFileInfo(self).dir();
    // The search adds the platform's suffix of programs (quadrosx.exe on Windows).
    for (const QString& folder : {own.path(), own.filePath(QStringLiteral(".."))}) {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("quadrosx"), {folder});
        if (!found.isEmpty())
            return QFileInfo(found).canonicalFilePath();
    }
    return own.filePath(QStringLiteral("quadrosx"));
}

// Starts quadrosx detached, so that it outlives this window; returns a line for the user.
// The process id goes to standard output, where a script that started us can find it.
QString startQuadrosx() {
    const QString path = quadrosxPath();
    qint64 pid = 0;
    if (!QProcess::startDetached(path, {releaseArgument()}, QString(), &pid)) {
        QTextStream(stderr) << "suite7702004: cannot start " << path << Qt::endl;
        return QStringLiteral("Impossibile avviare %1").arg(path);
    }
    QTextStream(stdout) << "suite7702004: started " << path << " (pid " << pid << ")" << Qt::endl;
    return QStringLiteral("Quadro SX avviato");
}

class SuiteWindow : public QWidget {
  public:
    SuiteWindow() {
        setWindowTitle(Names770::mainWindowTitle());
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("Modello 770/2004 Semplificato"), this));
        auto* button = new QPushButton(QStringLiteral("Quadro SX"), this);
        layout->addWidget(button);
        status_ = new QLabel(this);
        layout->addWidget(status_);
        connect(button, &QPushButton::clicked, this, [this] { start(); });
        resize(320, 120);
    }

    void start() { status_->setText(startQuadrosx()); }

  private:
    QLabel* status_ = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Programma principale 770/2004 (prova)"));
    parser.addHelpOption();
    const QCommandLineOption startOption(QStringLiteral("start"),
                                         QStringLiteral("Avvia subito il Quadro SX."));
    parser.addOption(startOption);
    parser.process(app);

    // One window titled 7702004 at a time: quadrosx activates the window it finds first.
    QLockFile lock(QDir::temp().filePath(QStringLiteral("suite7702004.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        if (parser.isSet(startOption))
            startQuadrosx();
        return 0;
    }

    SuiteWindow window;
    window.show();
    if (parser.isSet(startOption))
        window.start();
    return app.exec();
}

// Every figure of the program against the bare work it is compared to, as one table.
// Usage: bench_figures [declarants]   (default 10000; run from a Release build)

#include "benchsupport.h"
#include "figures.h"

#include <QApplication>
#include <QFont>
#include <QRegularExpression>
#include <QTextStream>

namespace {

QString number(double value) {
    return value > 0 ? QString::number(value, 'f', 2) : QStringLiteral("-");
}

void print(QTextStream& out, const Figure& f) {
    const QString targets =
        (f.target > 0 ? QStringLiteral("< %1 %2").arg(f.target).arg(f.unit) : QString()) +
        (f.ratioTarget > 0 ? QStringLiteral(", ratio <= %1").arg(f.ratioTarget) : QString());
    out << "| " << f.what << " | " << number(f.value) << " " << f.unit << " | "
        << (f.bare > 0 ? f.bareWhat + QStringLiteral(": ") + number(f.bare) + " " + f.unit
                       : QStringLiteral("-"))
        << " | " << (f.bare > 0 ? number(f.ratio()) : QStringLiteral("-")) << " | "
        << targets.trimmed().remove(QRegularExpression(QStringLiteral("^, "))) << " | "
        << (f.met() && f.value > 0 ? "yes" : "NO") << " |\n";
    out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    Bench::useSourceTree();
    const int declarants = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;

    QTextStream out(stdout);
    out << "| work | program | bare work | ratio | targets | met |\n|---|---|---|---|---|---|\n";
    // "batch" as a second argument measures only the work without a window.
    if (argc > 2 && qstrcmp(argv[2], "batch") == 0) {
        for (const Figure& figure : Measure::everyDeclarant(declarants))
            print(out, figure);
        return 0;
    }
    QList<Figure> figures = Measure::startupAndListing(declarants);
    figures += Measure::opening();
    figures += Measure::keyFilter();
    figures += Measure::storing();
    figures += Measure::controlList();
    figures += Measure::onServer();
    for (const Figure& figure : figures)
        print(out, figure);
    print(out, Measure::peakMemory(declarants));
    for (const Figure& figure : Measure::everyDeclarant(declarants))
        print(out, figure);
    return 0;
}

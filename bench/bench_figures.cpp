// Every figure of the program against the bare work it is compared to, as one table.
// Usage: bench_figures [declarants ...] [batch|access]   (default 10000 and 100000; run from a
// Release build)

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
    const auto processor = [](double ms) {
        return ms > 0 ? QStringLiteral(" (processor %1 ms)").arg(number(ms)) : QString();
    };
    out << "| " << f.what << " | " << number(f.value) << " " << f.unit << processor(f.processor)
        << " | "
        << (f.bare > 0 ? f.bareWhat + QStringLiteral(": ") + number(f.bare) + " " + f.unit +
                             processor(f.bareProcessor)
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
    // A small office and a service bureau's, unless sizes are given; "batch" measures only the
    // work without a window.
    QList<int> sizes;
    bool batchOnly = false;
    bool accessOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "batch") == 0)
            batchOnly = true;
        else if (qstrcmp(argv[i], "access") == 0)
            accessOnly = true;
        else
            sizes << QString::fromLocal8Bit(argv[i]).toInt();
    }
    if (sizes.isEmpty())
        sizes = batchOnly || accessOnly ? QList<int>{10000} : QList<int>{10000, 100000};

    QTextStream out(stdout);
    out << "| work | program | bare work | ratio | targets | met |\n|---|---|---|---|---|---|\n";
    if (accessOnly) {
        for (int declarants : sizes)
            for (const Figure& figure : Measure::accessImport(declarants))
                print(out, figure);
        return 0;
    }
    if (batchOnly) {
        for (int declarants : sizes)
            for (const Figure& figure : Measure::everyDeclarant(declarants))
                print(out, figure);
        return 0;
    }
    QList<Figure> figures;
    for (int declarants : sizes)
        figures += Measure::startupAndListing(declarants);
    figures += Measure::opening();
    figures += Measure::keyFilter();
    figures += Measure::storing();
    figures += Measure::controlList();
    figures += Measure::onServer();
    for (const Figure& figure : figures)
        print(out, figure);
    for (int declarants : sizes)
        print(out, Measure::peakMemory(declarants));
    for (const Figure& figure : Measure::everyDeclarant(sizes.first()))
        print(out, figure);
    for (const Figure& figure : Measure::accessImport(sizes.first()))
        print(out, figure);
    return 0;
}

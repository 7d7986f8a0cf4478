// Time the amount filter per key, on the text alone and on a real box.
// Usage: bench_amount_filter [sequences]   (target: under 5 microseconds per key)

#include "editor/amount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTextStream>

namespace {

using KeySequence = QList<int>;

constexpr double targetNs = 5000.0;

QList<KeySequence> makeSequences(int count) {
    static const QList<int> pool{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9',
                                 '+', '-', ',', '.', 8,   'a', '/', 13,  22,  27};
    QRandomGenerator random(770);
    QList<KeySequence> sequences(count);
    for (KeySequence& keys : sequences) {
        keys.resize(1 + random.bounded(40));
        for (int& key : keys)
            key = pool.at(random.bounded(int(pool.size())));
    }
    return sequences;
}

struct Timing {
    qint64 keys = 0;
    qint64 ns = 0;
    int checksum = 0; // keeps the work from being optimised away
};

Timing timeTextFilter(const QList<KeySequence>& sequences) {
    Timing timing;
    QElapsedTimer timer;
    timer.start();
    for (const KeySequence& keys : sequences) {
        QString text;
        for (int key : keys)
            text = LibrAgg770::typed(LibrAgg770::filterAmountKey(text, key, true, true, 10, 2));
        timing.keys += keys.size();
        timing.checksum += int(text.size());
    }
    timing.ns = timer.nsecsElapsed();
    return timing;
}

Timing timeBoxFilter(const QList<KeySequence>& sequences) {
    QLineEdit box;
    box.setMaxLength(LibrAgg770::amountBoxLength);
    Timing timing;
    QElapsedTimer timer;
    timer.start();
    for (const KeySequence& keys : sequences) {
        box.clear();
        for (int key : keys) {
            const int handedOn = LibrAgg770::FILTROIMPORTO(&box, key, true, true, 10, 2);
            if (handedOn != 0)
                box.insert(QString(QChar(handedOn)));
        }
        timing.keys += keys.size();
        timing.checksum += int(box.text().size());
    }
    timing.ns = timer.nsecsElapsed();
    return timing;
}

void report(QTextStream& out, const QString& what, const Timing& timing) {
    const double perKey = double(timing.ns) / double(timing.keys);
    out << what << ": " << timing.keys << " keys, " << QString::number(perKey, 'f', 1)
        << " ns per key (" << (perKey < targetNs ? "within" : "OVER") << " the 5000 ns target)"
        << " [" << timing.checksum << "]\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QList<KeySequence> sequences = makeSequences(count > 0 ? count : 100000);

    QTextStream out(stdout);
    timeTextFilter(sequences); // warm-up
    report(out, QStringLiteral("filterAmountKey + typed"), timeTextFilter(sequences));
    report(out, QStringLiteral("FILTROIMPORTO on a QLineEdit"), timeBoxFilter(sequences));
    return 0;
}

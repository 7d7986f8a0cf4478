// Time the amount filter per key, on the text alone and on a real box.
// Usage: bench_amount_filter [sequences per round] [rounds]   (target: under 5 µs per key)
// The best round is the figure to compare: on a busy machine the others include waiting.

#include "editor/amount.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <functional>

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

struct Round {
    qint64 keys = 0;
    qint64 ns = 0;
    qint64 checksum = 0; // keeps the work from being optimised away
    double nsPerKey() const { return double(ns) / double(keys); }
};

Round textFilterRound(const QList<KeySequence>& sequences) {
    Round round;
    QElapsedTimer timer;
    timer.start();
    for (const KeySequence& keys : sequences) {
        QString text;
        for (int key : keys)
            text = LibrAgg770::typed(LibrAgg770::filterAmountKey(text, key, true, true, 10, 2));
        round.keys += keys.size();
        round.checksum += text.size();
    }
    round.ns = timer.nsecsElapsed();
    return round;
}

Round boxFilterRound(QLineEdit& box, const QList<KeySequence>& sequences) {
    Round round;
    QElapsedTimer timer;
    for (const KeySequence& keys : sequences) {
        box.clear();
        for (int key : keys) {
            // Only the filter is timed; inserting the handed-on key is the box's own work.
            timer.start();
            const int handedOn = LibrAgg770::FILTROIMPORTO(&box, key, true, true, 10, 2);
            round.ns += timer.nsecsElapsed();
            if (handedOn != 0)
                box.insert(QString(QChar(handedOn)));
        }
        round.keys += keys.size();
        round.checksum += box.text().size();
    }
    return round;
}

void report(QTextStream& out, const QString& what, int rounds,
            const std::function<Round()>& runRound) {
    runRound(); // warm-up
    QList<Round> results;
    for (int i = 0; i < rounds; ++i)
        results << runRound();
    std::sort(results.begin(), results.end(),
              [](const Round& a, const Round& b) { return a.nsPerKey() < b.nsPerKey(); });
    const double best = results.first().nsPerKey();
    out << what << ": " << results.first().keys << " keys a round, best "
        << QString::number(best, 'f', 1) << " ns per key, median "
        << QString::number(results.at(results.size() / 2).nsPerKey(), 'f', 1) << " ns ("
        << (best < targetNs ? "within" : "OVER") << " the 5000 ns target) ["
        << results.first().checksum << "]\n";
}

int argument(int argc, char* argv[], int index, int fallback) {
    const int value = argc > index ? QString::fromLocal8Bit(argv[index]).toInt() : 0;
    return value > 0 ? value : fallback;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QList<KeySequence> sequences = makeSequences(argument(argc, argv, 1, 20000));
    const int rounds = argument(argc, argv, 2, 7);

    QTextStream out(stdout);
    report(out, QStringLiteral("filterAmountKey + typed"), rounds,
           [&] { return textFilterRound(sequences); });
    QLineEdit box;
    box.setMaxLength(LibrAgg770::amountBoxLength);
    report(out, QStringLiteral("FILTROIMPORTO on a QLineEdit (filter alone)"), rounds,
           [&] { return boxFilterRound(box, sequences); });
    return 0;
}

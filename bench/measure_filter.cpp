#include "editor/amount.h"
#include "figures.h"

#include <algorithm>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>

namespace {

using KeySequence = QList<int>;

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

// Nanoseconds per key of the best of `rounds` rounds; `perKey` is timed alone, `after` is the
// box's own work that follows it.
double bestNsPerKey(QLineEdit& box, const QList<KeySequence>& sequences, int rounds,
                    const std::function<int(int key)>& perKey) {
    std::vector<double> results;
    for (int round = 0; round < rounds; ++round) {
        qint64 ns = 0;
        qint64 keys = 0;
        QElapsedTimer timer;
        for (const KeySequence& sequence : sequences) {
            box.clear();
            for (int key : sequence) {
                timer.start();
                const int handedOn = perKey(key);
                ns += timer.nsecsElapsed();
                if (handedOn != 0)
                    box.insert(QString(QChar(handedOn)));
            }
            keys += sequence.size();
        }
        results.push_back(double(ns) / double(keys));
    }
    return *std::min_element(results.begin(), results.end());
}

} // namespace

QList<Figure> Measure::keyFilter() {
    const QList<KeySequence> sequences = makeSequences(20000);
    QLineEdit box;
    box.setMaxLength(LibrAgg770::amountBoxLength);
    Figure filter{QStringLiteral("amount filter, per key (FILTROIMPORTO on a box)")};
    filter.unit = QStringLiteral("us");
    filter.value = bestNsPerKey(box, sequences, 5,
                                [&box](int key) {
                                    return LibrAgg770::FILTROIMPORTO(&box, key, true, true, 10, 2);
                                }) /
                   1000;
    filter.bareWhat = QStringLiteral("the box setting its text once per key");
    filter.bare = bestNsPerKey(box, sequences, 5,
                               [&box](int key) {
                                   box.setText(box.text() + QChar(key == 8 ? '0' : key));
                                   return 0;
                               }) /
                  1000;
    filter.target = 5;
    return {filter};
}

#include "checks/rowchecks.h"

#include "app/trimblanks.h"
#include "editor/amount.h"

#include <cmath>

namespace RowChecks {

namespace {

const QString attention = QStringLiteral("ATTENZIONE!!!!");
const QString goOn = QStringLiteral("Vuoi continuare ugualmente?");

// Rules 2 and 3: `over` may not exceed the bound joining boxes 1, 2, 3 and `last`.
QString boundText(int over, int last, const std::function<QString(int)>& title) {
    const auto field = [&](int box) { return QStringLiteral("Campo ") + trimBlanks(title(box)); };
    return attention + CR() + CR() + QStringLiteral("Il campo ") + trimBlanks(title(over)) + CR() +
           QStringLiteral("non puo essere maggiore di:") + CR() + CR() + field(1) +
           QStringLiteral(" (-)") + CR() + field(2) + QStringLiteral(" (+)") + CR() + field(3) +
           QStringLiteral(" (-)") + CR() + field(last) + CR() + CR() + goOn;
}

QString amountOfCents(qint64 cents) {
    return LibrAgg770::formatAmount(double(cents) / 100.0);
}

} // namespace

qint64 boxValue(const QString& text) {
    return std::llround(LibrAgg770::readNumber(text).value_or(0.0) * 100.0);
}

BoxValues boxValues(const std::function<QString(int)>& boxText) {
    BoxValues a{};
    for (int box = 1; box <= 6; ++box)
        a[box] = boxValue(boxText(box));
    return a;
}

QString box6Question() {
    return QStringLiteral("Vuoi calcolare in automatico la casella 6 'Importo di cui si chiede "
                          "il rimborso");
}

QString automaticBox6(const BoxValues& a) {
    return amountOfCents(a[1] - a[2] + a[3] - a[4] - a[5]);
}

bool box6GoesToZero(qint64 box6) {
    return box6 <= 0;
}

QString box6ZeroInformation(qint64 box6) {
    return QStringLiteral("Attenzione !!!") + CR() +
           QStringLiteral("Importo di cui si chiede il rimborso ( ") + amountOfCents(box6) +
           QStringLiteral(" )") + CR() +
           QStringLiteral("Se il risultato della casella 6 e' negativo il valore verra' messo "
                          "a zero");
}

bool isBroken(Rule rule, const BoxValues& a) {
    switch (rule) {
    case Rule::Box2OverBox1:
        return a[2] > a[1];
    case Rule::Box5OverBound:
        return a[5] > (a[1] - a[2]) + (a[3] - a[6]);
    case Rule::Box6OverBound:
        return a[6] > ((a[1] - a[2]) + a[3]) - a[5];
    }
    return false;
}

int boxOf(Rule rule) {
    switch (rule) {
    case Rule::Box2OverBox1:
        return 2;
    case Rule::Box5OverBound:
        return 5;
    case Rule::Box6OverBound:
        return 6;
    }
    return 0;
}

QString warningText(Rule rule, const std::function<QString(int)>& title) {
    switch (rule) {
    case Rule::Box2OverBox1:
        return attention + CR() + CR() + QStringLiteral("Il campo ") + trimBlanks(title(2)) + CR() +
               QStringLiteral("non può essere maggiore") + CR() + QStringLiteral("del campo ") +
               trimBlanks(title(1)) + CR() + CR() + goOn;
    case Rule::Box5OverBound:
        return boundText(5, 6, title);
    case Rule::Box6OverBound:
        return boundText(6, 5, title);
    }
    return {};
}

} // namespace RowChecks

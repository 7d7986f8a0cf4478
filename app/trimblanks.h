#pragma once

#include <QString>

// Texts of the suite are padded with blanks only: trimming takes off blanks at both ends and
// nothing else, so a tab or another character left around a value keeps it unusable.
inline QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

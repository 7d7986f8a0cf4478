#pragma once

#include <QString>

// The row key SEQ of row i: the number with "000" put in front and the last 3 characters kept.
inline QString rowKey(int i) {
    return (QStringLiteral("000") + QString::number(i)).right(3);
}
inline QString rowKey(const QString& text) {
    return (QStringLiteral("000") + text.trimmed()).right(3);
}
// The row 1-31 whose key is `seq`; 0 for any other text.
inline int rowOfKey(const QString& seq) {
    bool ok = false;
    const int i = seq.toInt(&ok);
    return ok && i >= 1 && i <= 31 && rowKey(i) == seq ? i : 0;
}

#pragma once

#include <QString>

// The row key SEQ of row i: the number with "000" put in front and the last 3 characters kept.
inline QString rowKey(int i) {
    return (QStringLiteral("000") + QString::number(i)).right(3);
}
inline QString rowKey(const QString& text) {
    return (QStringLiteral("000") + text.trimmed()).right(3);
}

#pragma once

#include <QString>
#include <QVariantList>

// Another program of the suite stores a key, a company's 11-digit tax code for one, without the
// blanks that fill it to 16 characters; this program stores the 16-character form. Trailing
// blanks never tell two keys apart, so a key is compared with both forms, `CFD IN (?, ?)`: the
// key index CHIAVE serves that with one lookup per form, on the file and on the server, on any
// database the suite made, and no index has to be added (a read-only run could not add one).
inline QVariantList keyForms(const QString& key) {
    qsizetype end = key.size();
    while (end > 0 && key.at(end - 1) == QLatin1Char(' '))
        --end;
    const QString bare = key.left(end);
    return {bare.leftJustified(16, QLatin1Char(' ')), bare};
}

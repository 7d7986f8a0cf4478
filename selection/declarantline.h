#pragma once

#include <QString>

// A line of the declarant list. The chosen declarant's keys are cut back out of its line, so
// the positions are fixed: company code 1-3, tax code 5-20 (16-character form), name from 22.
// A null QString stands for a Null field and counts as empty text.

// Blanks trimmed at both ends, then padded with blanks or cut to 16 characters.
QString taxCode16(const QString& cfd);

// Persons (fr_14 not blank) are named FR_1 + " " + FR_2, everyone else FR_3; names as stored.
QString declarantLine(QStringView codazi, QStringView cfd, QStringView fr1, QStringView fr2,
                      QStringView fr3, QStringView fr14);

// The keys cut from a line; never null, so they bind as text, not as Null, in queries.
QString companyCodeOfLine(const QString& line);
QString taxCodeOfLine(const QString& line);

// The captions of the declarant header, each a blank followed by a trimmed part of the line.
struct DeclarantHeader {
    QString name;    // positions 21-80: at most 59 characters of the name
    QString taxCode; // positions 5-20
    QString company; // positions 1-3
};
DeclarantHeader declarantHeader(const QString& line);

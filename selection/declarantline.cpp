#include "selection/declarantline.h"
#include "app/trimblanks.h"

namespace {

const QChar blank = QLatin1Char(' ');

// Characters from..from+count-1 (counted from 1), fewer when the line is shorter.
QString cut(const QString& line, int from, int count) {
    const QString part = line.mid(from - 1, count);
    return part.isNull() ? QStringLiteral("") : part;
}

QStringView withoutBlanks(QStringView text) {
    while (!text.isEmpty() && text.front() == blank)
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == blank)
        text.chop(1);
    return text;
}

} // namespace

QString taxCode16(const QString& cfd) {
    return trimBlanks(cfd).leftJustified(16, blank, true);
}

// Built in one piece: the list of a large office makes a hundred thousand of these at a time.
QString declarantLine(QStringView codazi, QStringView cfd, QStringView fr1, QStringView fr2,
                      QStringView fr3, QStringView fr14) {
    const bool person = !withoutBlanks(fr14).isEmpty();
    const QStringView taxCode = withoutBlanks(cfd).left(16);
    QString line;
    line.reserve(codazi.size() + 18 + (person ? fr1.size() + 1 + fr2.size() : fr3.size()));
    line.append(codazi).append(blank).append(taxCode);
    line.resize(line.size() + 16 - taxCode.size(), blank);
    line.append(blank);
    if (person)
        line.append(fr1).append(blank).append(fr2);
    else
        line.append(fr3);
    return line;
}

QString companyCodeOfLine(const QString& line) {
    return cut(line, 1, 3);
}

QString taxCodeOfLine(const QString& line) {
    return cut(line, 5, 16);
}

DeclarantHeader declarantHeader(const QString& line) {
    return {blank + trimBlanks(cut(line, 21, 60)), blank + trimBlanks(cut(line, 5, 16)),
            blank + trimBlanks(cut(line, 1, 3))};
}

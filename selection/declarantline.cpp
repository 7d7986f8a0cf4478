#include "selection/declarantline.h"
#include "app/trimblanks.h"

namespace {

const QChar blank = QLatin1Char(' ');

// Characters from..from+count-1 (counted from 1), fewer when the line is shorter.
QString cut(const QString& line, int from, int count) {
    const QString part = line.mid(from - 1, count);
    return part.isNull() ? QStringLiteral("") : part;
}

} // namespace

QString taxCode16(const QString& cfd) {
    return trimBlanks(cfd).leftJustified(16, blank, true);
}

QString declarantLine(const QString& codazi, const QString& cfd, const QString& fr1,
                      const QString& fr2, const QString& fr3, const QString& fr14) {
    const QString name = trimBlanks(fr14).isEmpty() ? fr3 : fr1 + blank + fr2;
    return codazi + blank + taxCode16(cfd) + blank + name;
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

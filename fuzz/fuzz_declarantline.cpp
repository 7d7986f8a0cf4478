// Fuzzes the declarant line and the keys cut back out of it. An input is up to six lines, the
// fields CODAZI, CFD, FR_1, FR_2, FR_3 and fr_14 in this order (the last takes the rest); a
// missing line is a Null field. A broken rule aborts, so libFuzzer reports the input.
#include "selection/declarantline.h"

#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int fieldCount = 6;

void require(bool holds, const char* rule, const QString& line) {
    if (holds)
        return;
    std::fprintf(stderr, "declarant line rule broken: %s: \"%s\"\n", rule, qUtf8Printable(line));
    std::abort();
}

QString trimmedBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QList<QString> fields(const QByteArray& input) {
    QList<QString> result(fieldCount);
    qsizetype from = 0;
    for (int i = 0; i < fieldCount && from <= input.size(); ++i) {
        const qsizetype end = i + 1 < fieldCount ? input.indexOf('\n', from) : -1;
        const QByteArray part = end < 0 ? input.mid(from) : input.mid(from, end - from);
        result[i] = part.isEmpty() ? QStringLiteral("") : QString::fromUtf8(part);
        from = end < 0 ? input.size() + 1 : end + 1;
    }
    return result;
}

// Whatever the fields, the cuts keep their lengths and never come back Null.
void checkAnyLine(const QString& line) {
    const QString company = companyCodeOfLine(line);
    const QString taxCode = taxCodeOfLine(line);
    require(!company.isNull() && !taxCode.isNull(), "a key cut as Null", line);
    require(company == line.left(3), "company code is not the line's first 3 characters", line);
    if (line.size() >= 20)
        require(taxCode.size() == 16, "tax code cut is not 16 characters", line);
    const DeclarantHeader header = declarantHeader(line);
    for (const QString* caption : {&header.name, &header.taxCode, &header.company})
        require(caption->startsWith(u' '), "caption without its leading blank", line);
    require(header.name.size() <= 61, "name caption longer than 61 characters", line);
    require(header.taxCode.size() <= 17 && header.company.size() <= 4,
            "key caption longer than its key", line);
}

// With a company code of 3 characters, as the front page stores them, the keys come back as
// they were put in and the name caption shows at most 59 of the name's characters.
void checkStoredLine(const QString& line, const QList<QString>& f) {
    const QString cfd = trimmedBlanks(f[1]).leftJustified(16, u' ', true);
    const QString name = trimmedBlanks(f[5]).isEmpty() ? f[4] : f[2] + u' ' + f[3];
    require(line == f[0] + u' ' + cfd + u' ' + name, "line not laid out in its positions", line);
    require(companyCodeOfLine(line) == f[0], "company code changed by the line", line);
    require(taxCodeOfLine(line) == cfd, "tax code changed by the line", line);
    const DeclarantHeader header = declarantHeader(line);
    require(header.name.size() <= 60, "name caption longer than 60 characters", line);
    require(header.name == u' ' + trimmedBlanks(name.left(59)), "name caption is not the name",
            line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QString> f = fields(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString line = declarantLine(f[0], f[1], f[2], f[3], f[4], f[5]);
    checkAnyLine(line);
    if (f[0].size() == 3)
        checkStoredLine(line, f);
    return 0;
}

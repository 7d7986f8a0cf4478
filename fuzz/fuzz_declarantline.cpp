// Fuzzes the declarant line and the keys cut back out of it. An input is up to six lines, the
// fields CODAZI, CFD, FR_1, FR_2, FR_3 and fr_14 (the last takes the rest); a missing line is a
// Null field. A broken rule aborts.
#include "app/trimblanks.h"
#include "selection/declarantline.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <QList>

namespace {

void require(bool holds, const char* rule, const QString& line) {
    if (holds)
        return;
    std::fprintf(stderr, "declarant line rule broken: %s: \"%s\"\n", rule, qUtf8Printable(line));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QList<QString> f(6);
    const QList<QByteArray> lines = input.split('\n');
    for (int i = 0; i < 6 && i < lines.size(); ++i)
        f[i] =
            QString::fromUtf8(i < 5 ? lines.at(i) : lines.mid(5).join('\n')) + QStringLiteral("");
    const QString line = declarantLine(f[0], f[1], f[2], f[3], f[4], f[5]);

    // Whatever the fields, the cuts keep their lengths and never come back Null.
    require(companyCodeOfLine(line) == line.left(3) && !companyCodeOfLine(line).isNull(),
            "company code is not the line's first 3 characters", line);
    require(!taxCodeOfLine(line).isNull() && (line.size() < 20 || taxCodeOfLine(line).size() == 16),
            "tax code cut is not 16 characters", line);
    const DeclarantHeader header = declarantHeader(line);
    for (const QString* caption : {&header.name, &header.taxCode, &header.company})
        require(caption->startsWith(u' '), "caption without its leading blank", line);
    require(header.name.size() <= 61 && header.taxCode.size() <= 17 && header.company.size() <= 4,
            "caption longer than its part of the line", line);
    if (f[0].size() != 3)
        return 0;
    // With a 3-character company code, as the front page stores them, the keys come back whole.
    const QString cfd = trimBlanks(f[1]).leftJustified(16, u' ', true);
    const QString name = trimBlanks(f[5]).isEmpty() ? f[4] : f[2] + u' ' + f[3];
    require(line == f[0] + u' ' + cfd + u' ' + name, "line not laid out in its positions", line);
    require(companyCodeOfLine(line) == f[0] && taxCodeOfLine(line) == cfd,
            "keys changed by the line", line);
    require(header.name == u' ' + trimBlanks(name.left(59)), "name caption is not the name", line);
    return 0;
}

#include "data/accessfile.h"

#include <array>
#include <QFile>
#include <QtEndian>

namespace AccessFile {

namespace {

constexpr int versionAt = 0x14;
constexpr int scrambledAt = 0x18;
constexpr int passwordAt = 0x42;
constexpr int createdAt = 0x72;

// RC4 with Jet's fixed header key, over `length` bytes from `at`.
void rc4(QByteArray& data, int at, int length) {
    const std::array<unsigned char, 4> key{0xc7, 0xda, 0x39, 0x6b};
    std::array<unsigned char, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        data[at + n] = char(data[at + n] ^ s[(s[i] + s[j]) & 0xff]);
    }
}

} // namespace

Format formatOfHeader(const QByteArray& page) {
    if (page.size() < scrambledAt || !page.startsWith(QByteArray("\x00\x01\x00\x00", 4)))
        return Format::None;
    const QByteArray signature = page.mid(4, 15);
    const auto version = static_cast<unsigned char>(page.at(versionAt));
    if (signature == "Standard Jet DB")
        return version == 0 ? Format::Jet3 : Format::Jet4;
    if (signature == "Standard ACE DB")
        return Format::Ace;
    return Format::None;
}

Format formatOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Format::None;
    return formatOfHeader(file.read(scrambledAt));
}

void scrambleHeader(QByteArray& page) {
    const int length = formatOfHeader(page) == Format::Jet3 ? 126 : 128;
    if (page.size() >= scrambledAt + length)
        rc4(page, scrambledAt, length);
}

bool hasPassword(const QByteArray& header) {
    const Format format = formatOfHeader(header);
    QByteArray page = header.left(4096);
    if (page.size() < createdAt + 8)
        return false;
    scrambleHeader(page);
    if (format == Format::Jet3)
        return page.mid(passwordAt, 20).count('\0') != 20;
    // Jet 4 and later mask the password again with the whole days of the creation date.
    const double created = qFromLittleEndian<double>(page.constData() + createdAt);
    std::array<char, 4> mask{};
    qToLittleEndian<qint32>(qint32(created), mask.data());
    for (int i = 0; i < 40; ++i)
        if ((page.at(passwordAt + i) ^ mask[i % 4]) != 0)
            return true;
    return false;
}

QString formatName(Format format) {
    switch (format) {
    case Format::Jet3:
        return QStringLiteral("Access 97 (Jet 3)");
    case Format::Jet4:
        return QStringLiteral("Access 2000-2003 (Jet 4)");
    case Format::Ace:
        return QStringLiteral("Access 2007 o successivo (ACE)");
    case Format::None:
        break;
    }
    return QString();
}

QString notice(const QString& shownPath, Format format, const QString& archives) {
    return QStringLiteral("Il file %1 è un archivio Access della procedura paghe, formato %2.\r"
                          "Questo programma lavora su un archivio SQLite e non lo apre: nulla è "
                          "stato copiato né modificato.\r\r"
                          "Per portare gli archivi Access nel nuovo formato, a procedura chiusa, "
                          "eseguire una volta:\r"
                          "sxcopy --in-place \"%3\"")
        .arg(shownPath, formatName(format), archives);
}

} // namespace AccessFile

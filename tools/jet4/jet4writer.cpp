#include "tools/jet4/jet4writer.h"

#include "data/accessfile.h"

#include <QtEndian>

namespace Jet4 {

namespace {

constexpr int pageSize = 4096;
constexpr int dataPageHeader = 14;
constexpr int firstUserPage = 2;      // MSysObjects' definition is always on page 2
constexpr double createdOn = 38000.0; // 14 January 2004

void put16(QByteArray& bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void put32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void append16(QByteArray& bytes, quint16 value) {
    bytes.resize(bytes.size() + 2);
    put16(bytes, int(bytes.size()) - 2, value);
}
void append32(QByteArray& bytes, quint32 value) {
    bytes.resize(bytes.size() + 4);
    put32(bytes, int(bytes.size()) - 4, value);
}
template <typename T> QByteArray littleEndian(T value) {
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

bool isFixed(Type type) {
    return type != Type::Text && type != Type::Memo && type != Type::Ole;
}

int fixedSize(Type type) {
    switch (type) {
    case Type::YesNo:
    case Type::Byte:
        return 1;
    case Type::Integer:
        return 2;
    case Type::Long:
    case Type::Single:
        return 4;
    default:
        return 8;
    }
}

QByteArray ucs2(const QString& text) {
    QByteArray bytes;
    for (QChar c : text)
        append16(bytes, c.unicode());
    return bytes;
}

// Jet 4's compressed form: after FF FE one byte a character while the high bytes are zero, a
// zero byte switching to two bytes a character and back. A character whose low byte is zero
// cannot be written so, and the form is kept only when it is shorter.
QByteArray textBytes(const QString& text) {
    const QByteArray plain = ucs2(text);
    QByteArray packed("\xff\xfe");
    bool narrow = true;
    for (QChar c : text) {
        if ((c.unicode() & 0xff) == 0)
            return plain;
        if ((c.unicode() < 0x100) != narrow) {
            packed += '\0';
            narrow = !narrow;
        }
        if (narrow)
            packed += char(c.unicode());
        else
            append16(packed, c.unicode());
    }
    return packed.size() < plain.size() ? packed : plain;
}

QByteArray fixedBytes(Type type, const QVariant& value) {
    if (value.isNull())
        return QByteArray(fixedSize(type), '\0');
    switch (type) {
    case Type::YesNo:
        return QByteArray(1, '\0'); // the value is the column's bit of the null mask
    case Type::Byte:
        return QByteArray(1, char(value.toLongLong()));
    case Type::Integer:
        return littleEndian(qint16(value.toLongLong()));
    case Type::Long:
        return littleEndian(qint32(value.toLongLong()));
    case Type::Currency:
        return littleEndian(qint64(value.toLongLong()));
    case Type::Single:
        return littleEndian(float(value.toDouble()));
    default:
        return littleEndian(value.toDouble());
    }
}

QByteArray varBytes(Type type, const QVariant& value) {
    const QByteArray text = textBytes(value.toString());
    if (type != Type::Memo)
        return text;
    // A memo kept inside the row: its length with the in-row flag, then no page pointer.
    QByteArray memo;
    append32(memo, quint32(text.size()) | 0x80000000u);
    memo += QByteArray(8, '\0');
    return memo + text;
}

// A row: column count, fixed values, variable values, their offsets last to first after the
// end offset, their count, and the mask whose bit is set for each value present.
QByteArray rowOf(const QList<Column>& columns, const QVariantList& values) {
    QByteArray fixed;
    QByteArray variable;
    QList<int> starts;
    QByteArray mask((columns.size() + 7) / 8, '\0');
    for (int i = 0; i < columns.size(); ++i) {
        const Type type = columns.at(i).type;
        const QVariant value = values.value(i);
        bool present = !value.isNull();
        if (isFixed(type)) {
            fixed += fixedBytes(type, value);
            present = type == Type::YesNo ? value.toBool() : present;
        } else {
            starts << int(variable.size());
            if (present)
                variable += varBytes(type, value);
        }
        if (present)
            mask[i / 8] = char(mask.at(i / 8) | (1 << (i % 8)));
    }
    QByteArray row;
    append16(row, quint16(columns.size()));
    row += fixed + variable;
    const int base = 2 + int(fixed.size());
    append16(row, quint16(row.size()));
    for (int i = int(starts.size()) - 1; i >= 0; --i)
        append16(row, quint16(base + starts.at(i)));
    append16(row, quint16(starts.size()));
    return row + mask;
}

constexpr quint16 deletedFlag = 0x8000;
constexpr quint16 pointerFlag = 0x4000;

struct Slot {
    QByteArray bytes;
    quint16 flags = 0;
};

// Data pages: rows from the page's end downwards, their offsets (with the flags) after the header.
QByteArray dataPage(const QList<Slot>& places, quint32 tablePage) {
    QByteArray page(pageSize, '\0');
    page[0] = 1;
    page[1] = 1;
    put32(page, 4, tablePage);
    put16(page, 12, quint16(places.size()));
    int top = pageSize;
    for (int i = 0; i < places.size(); ++i) {
        top -= int(places.at(i).bytes.size());
        page.replace(top, places.at(i).bytes.size(), places.at(i).bytes);
        put16(page, dataPageHeader + 2 * i, quint16(top | places.at(i).flags));
    }
    put16(page, 2, quint16(top - dataPageHeader - 2 * places.size()));
    return page;
}

QList<QByteArray> pagesOf(const QList<Slot>& places, quint32 tablePage) {
    QList<QByteArray> pages;
    QList<Slot> onPage;
    int free = pageSize - dataPageHeader;
    for (const Slot& slot : places) {
        if (slot.bytes.size() + 2 > free) {
            pages << dataPage(onPage, tablePage);
            onPage.clear();
            free = pageSize - dataPageHeader;
        }
        onPage << slot;
        free -= int(slot.bytes.size()) + 2;
    }
    if (!onPage.isEmpty() || pages.isEmpty())
        pages << dataPage(onPage, tablePage);
    return pages;
}

// A moved row's place holds the row number and the page of its body; the bodies (a few) lie on
// one page after the table's others, marked so that a scan passes over them.
QList<QByteArray> dataPages(const Table& table, quint32 tablePage, quint32 firstData) {
    QList<Slot> places;
    QList<Slot> bodies;
    QList<int> pointers;
    for (int i = 0; i < table.rows.size(); ++i) {
        const QByteArray row = rowOf(table.columns, table.rows.at(i));
        const quint16 deleted = table.deleted.contains(i) ? deletedFlag | pointerFlag : 0;
        if (!table.moved.contains(i)) {
            places << Slot{row, deleted};
            continue;
        }
        pointers << int(places.size());
        places << Slot{QByteArray(4, '\0'), quint16(deleted | pointerFlag)};
        bodies << Slot{row, deletedFlag};
    }
    if (bodies.isEmpty())
        return pagesOf(places, tablePage);
    const quint32 bodyPage = firstData + quint32(pagesOf(places, tablePage).size());
    for (int body = 0; body < pointers.size(); ++body)
        put32(places[pointers.at(body)].bytes, 0, (bodyPage << 8) | quint32(body));
    return pagesOf(places, tablePage) << pagesOf(bodies, tablePage);
}

// The table's usage maps (row 0: its data pages, row 1: those with free space, none), as
// bitmaps from the first data page.
QByteArray mapPage(quint32 tablePage, quint32 firstData, int dataCount) {
    QByteArray used(1, '\0');
    append32(used, firstData);
    used += QByteArray((dataCount + 7) / 8, '\0');
    for (int i = 0; i < dataCount; ++i)
        used[5 + i / 8] = char(used.at(5 + i / 8) | (1 << (i % 8)));
    QByteArray none(1, '\0');
    append32(none, firstData);
    none += '\0';
    return dataPage({{used}, {none}}, tablePage);
}

QByteArray definitionPage(const Table& table, quint32 mapPageNumber, bool system) {
    QByteArray page(63, '\0');
    page[0] = 2;
    page[1] = 1;
    put32(page, 16, quint32(table.rows.size() - table.deleted.size()));
    page[40] = system ? 'S' : 'N';
    int variable = 0;
    for (const Column& column : table.columns)
        variable += isFixed(column.type) ? 0 : 1;
    put16(page, 41, quint16(table.columns.size()));
    put16(page, 43, quint16(variable));
    put16(page, 45, quint16(table.columns.size()));
    put32(page, 55, mapPageNumber << 8);
    put32(page, 59, (mapPageNumber << 8) | 1);
    int fixedOffset = 0;
    int varIndex = 0;
    for (int i = 0; i < table.columns.size(); ++i) {
        const Type type = table.columns.at(i).type;
        QByteArray entry(25, '\0');
        entry[0] = char(type);
        put16(entry, 5, quint16(i));
        put16(entry, 7, quint16(isFixed(type) ? 0 : varIndex++));
        put16(entry, 9, quint16(i));
        const bool text = type == Type::Text || type == Type::Memo;
        put16(entry, 11, text ? 0x409 : 0);
        entry[15] = char((isFixed(type) ? 0x01 : 0x00) | 0x02);
        entry[16] = text ? 1 : 0;
        if (isFixed(type)) {
            put16(entry, 21, quint16(fixedOffset));
            fixedOffset += fixedSize(type);
        }
        put16(entry, 23, quint16(isFixed(type) ? fixedSize(type) : type == Type::Text ? 510 : 0));
        page += entry;
    }
    for (const Column& column : table.columns) {
        append16(page, quint16(column.name.size() * 2));
        page += ucs2(column.name);
    }
    append16(page, 0xffff);
    put32(page, 8, quint32(page.size() - 8));
    put16(page, 2, quint16(pageSize - page.size() - 8));
    return page.leftJustified(pageSize, '\0');
}

QByteArray headerPage(const QString& password) {
    QByteArray page(pageSize, '\0');
    page[1] = 1;
    page.replace(4, 15, "Standard Jet DB");
    put32(page, 0x14, 1);
    put32(page, 0x6e, 0x409);
    qToLittleEndian(createdOn, page.data() + 0x72);
    // The password, two bytes a character, masked with the creation date's whole days.
    const QByteArray mask = littleEndian(qint32(createdOn));
    const QByteArray secret = ucs2(password.left(20)).leftJustified(40, '\0');
    for (int i = 0; i < 40; ++i)
        page[0x42 + i] = char(secret.at(i) ^ mask.at(i % 4));
    AccessFile::scrambleHeader(page);
    return page;
}

Table catalogue(const QList<Table>& tables, const QList<quint32>& definitionPages) {
    Table objects{QStringLiteral("MSysObjects"),
                  {{QStringLiteral("Id"), Type::Long},
                   {QStringLiteral("ParentId"), Type::Long},
                   {QStringLiteral("Name"), Type::Text},
                   {QStringLiteral("Type"), Type::Integer},
                   {QStringLiteral("Flags"), Type::Long},
                   {QStringLiteral("LvProp"), Type::Ole}},
                  {}};
    for (int i = 0; i < tables.size(); ++i)
        objects.rows << QVariantList{qint64(definitionPages.at(i)),
                                     qint64(0x0F000001),
                                     tables.at(i).name,
                                     qint64(1),
                                     qint64(0),
                                     QVariant()};
    return objects;
}

} // namespace

QList<Column> textColumns(const QStringList& names) {
    QList<Column> columns;
    for (const QString& name : names)
        columns << Column{name, Type::Text};
    return columns;
}

QList<Column> scheduleColumns(Type amounts) {
    QList<Column> columns = textColumns({"CODAZI", "CFD", "SEQ"});
    for (int j = 1; j <= 10; ++j)
        columns << Column{QStringLiteral("SX_%1").arg(j), j <= 7 ? amounts : Type::Text};
    return columns;
}

QByteArray fileOf(const QList<Table>& tables, const QString& password) {
    // Page 0 the header, page 1 an empty data page, then each table: its definition, its usage
    // maps, its data; the catalogue MSysObjects first, whose one data page lists the others.
    QList<quint32> definitions;
    quint32 next = firstUserPage + 3;
    QList<QList<QByteArray>> data;
    for (const Table& table : tables) {
        definitions << next;
        data << dataPages(table, next, next + 2);
        next += 2 + quint32(data.last().size());
    }
    QList<Table> all{catalogue(tables, definitions)};
    all += tables;
    definitions.prepend(firstUserPage);
    data.prepend(dataPages(all.first(), firstUserPage, firstUserPage + 2));
    QByteArray file = headerPage(password) + dataPage({}, 0);
    for (int i = 0; i < all.size(); ++i) {
        file += definitionPage(all.at(i), definitions.at(i) + 1, i == 0);
        file += mapPage(definitions.at(i), definitions.at(i) + 2, int(data.at(i).size()));
        for (const QByteArray& page : data.at(i))
            file += page;
    }
    return file;
}

} // namespace Jet4

#include "transfer/accessreader.h"

#include "data/accessfile.h"
#include "data/databaseerror.h"
#include "transfer/standarderrorcatch.h"

#include <charconv>
#include <cmath>
#include <mdbtools.h>
#include <optional>
#include <QDateTime>
#include <QFile>
#include <QtEndian>

namespace {

constexpr int offsetMask = 0x1fff;

template <typename T> QString shortest(T value) {
    if (!std::isfinite(value))
        return QString();
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    // Past 64 characters (5e-324, 1e64) the exponent form, as short and as exact.
    if (result.ec != std::errc())
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(text, int(result.ptr - text))
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

QString currencyText(qint64 tenThousandths) {
    const quint64 magnitude =
        tenThousandths < 0 ? 0 - quint64(tenThousandths) : quint64(tenThousandths);
    QString decimals = QString::number(magnitude % 10000).rightJustified(4, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return (tenThousandths < 0 ? QStringLiteral("-") : QString()) +
           QString::number(magnitude / 10000) + QLatin1Char(',') + decimals;
}

QString dateText(double days) {
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    // Before the base the whole days count back, the fraction still counts forward.
    const double whole = days < 0 ? std::ceil(days) : std::floor(days);
    const qint64 seconds = std::llround(std::fabs(days - whole) * 86400.0);
    const QDateTime at = base.addDays(qint64(whole)).addSecs(seconds);
    return at.time() == QTime(0, 0) ? at.toString(QStringLiteral("dd/MM/yyyy"))
                                    : at.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

} // namespace

QString accessValueText(int type, const QByteArray& bytes) {
    const char* at = bytes.constData();
    const auto has = [&bytes](int size) { return bytes.size() >= size; };
    switch (type) {
    case MDB_BYTE:
        return has(1) ? QString::number(quint8(at[0])) : QString();
    case MDB_INT:
        return has(2) ? QString::number(qFromLittleEndian<qint16>(at)) : QString();
    case MDB_LONGINT:
        return has(4) ? QString::number(qFromLittleEndian<qint32>(at)) : QString();
    case MDB_MONEY:
        return has(8) ? currencyText(qFromLittleEndian<qint64>(at)) : QString();
    case MDB_FLOAT:
        return has(4) ? shortest(qFromLittleEndian<float>(at)) : QString();
    case MDB_DOUBLE:
        return has(8) ? shortest(qFromLittleEndian<double>(at)) : QString();
    case MDB_DATETIME:
        return has(8) ? dateText(qFromLittleEndian<double>(at)) : QString();
    default:
        return QString();
    }
}

namespace {

// What the library said, to be added to a message.
QString told(const StandardErrorCatch& said) {
    const QString text = said.text();
    return text.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(text);
}

} // namespace

struct AccessReader::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

struct AccessReader::Table {
    MdbTableDef* def = nullptr;
    ~Table() {
        if (def)
            mdb_free_tabledef(def);
    }
};

AccessReader::AccessReader(const QString& path) : path_(path), handle_(std::make_unique<Handle>()) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("non si può leggere (%1)").arg(file.errorString()));
    const QByteArray header = file.read(4096);
    const AccessFile::Format format = AccessFile::formatOfHeader(header);
    if (format == AccessFile::Format::None)
        fail(QStringLiteral("non è un archivio Access"));
    const int pageSize = format == AccessFile::Format::Jet3 ? 2048 : 4096;
    if (file.size() % pageSize != 0 || file.size() < 3 * pageSize)
        fail(QStringLiteral("è danneggiato: è troncato (%1 byte)").arg(file.size()));
    if (AccessFile::hasPassword(header))
        fail(QStringLiteral("è protetto da una password: toglierla con Access, poi riprovare"));
    const StandardErrorCatch said;
    listen(said);
    handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle_->mdb || !mdb_read_catalog(handle_->mdb, MDB_TABLE) || !said.text().isEmpty())
        fail(QStringLiteral("è danneggiato: il suo catalogo non si legge") + told(said));
}

AccessReader::~AccessReader() = default;

void AccessReader::fail(const QString& cause) const {
    throw DatabaseError{DatabaseErrors::AccessFileUnreadable,
                        QStringLiteral("Il file Access %1 %2.").arg(path_, cause)};
}

// Without the catch a page the library cannot read would pass for the end of its table.
void AccessReader::listen(const StandardErrorCatch& said) const {
    if (!said.listening())
        fail(QStringLiteral("non si può leggere: non si può creare un file temporaneo"));
}

std::unique_ptr<AccessReader::Table> AccessReader::open(const QString& name) {
    MdbHandle* mdb = handle_->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE ||
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const StandardErrorCatch said;
        listen(said);
        auto table = std::make_unique<Table>();
        table->def = mdb_read_table(entry);
        if (!table->def || !mdb_read_columns(table->def) || !said.text().isEmpty())
            fail(QStringLiteral("è danneggiato: la tabella %1 non si legge").arg(name) +
                 told(said));
        return table;
    }
    fail(QStringLiteral("non ha la tabella %1").arg(name));
}

QStringList AccessReader::columns(const QString& table) {
    const std::unique_ptr<Table> open = this->open(table);
    QStringList names;
    for (unsigned int i = 0; i < open->def->num_cols; ++i)
        names << QString::fromUtf8(
            static_cast<MdbColumn*>(g_ptr_array_index(open->def->columns, i))->name);
    return names;
}

namespace {

constexpr int deletedFlag = 0x8000;
constexpr int pointerFlag = 0x4000;
constexpr quint32 memoInRow = 0x80000000u;
constexpr quint32 memoOnePage = 0x40000000u;

// Jet 4 text: two bytes a character (UTF-16, surrogate pairs included), or after FF FE one byte
// a character, a zero byte switching to two bytes and back. Null when the bytes are no text:
// a half of a surrogate pair alone would be stored as another character.
QString jet4Text(const QByteArray& bytes) {
    QByteArray wide;
    if (bytes.startsWith("\xff\xfe")) {
        bool narrow = true;
        for (int i = 2; i < bytes.size(); ++i) {
            if (bytes.at(i) == '\0')
                narrow = !narrow;
            else if (narrow)
                wide.append(bytes.at(i)).append('\0');
            else if (i + 1 < bytes.size())
                wide.append(bytes.at(i)).append(bytes.at(i + 1)), ++i;
            else
                return QString();
        }
    } else {
        wide = bytes;
    }
    if (wide.size() % 2)
        return QString();
    QString text(wide.size() / 2, Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(wide.constData() + 2 * i));
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return QString();
    }
    return text.isNull() ? QString(QLatin1String("")) : text;
}

QString textOf(MdbHandle* mdb, const QByteArray& bytes) {
    if (!IS_JET3(mdb))
        return jet4Text(bytes);
    QByteArray text(bytes.size() * 4 + 1, '\0');
    const int size =
        mdb_unicode2ascii(mdb, bytes.constData(), size_t(bytes.size()), text.data(), text.size());
    return size > 0 ? QString::fromUtf8(text.constData(), size) : QString(QLatin1String(""));
}

// A memo's bytes: kept in the row after its 12-byte head, or on one page, or on a chain of
// pages each starting with the pointer to the next. Empty optional when they cannot be found.
std::optional<QByteArray> memoBytes(MdbHandle* mdb, const QByteArray& field) {
    if (field.size() < 12)
        return std::nullopt;
    const quint32 head = qFromLittleEndian<quint32>(field.constData());
    if (head & memoInRow)
        return field.mid(12);
    const qsizetype length = head & 0x3fffffff;
    int pointer = int(qFromLittleEndian<qint32>(field.constData() + 4));
    QByteArray bytes;
    while (pointer != 0 && bytes.size() < length) {
        void* page = nullptr;
        int start = 0;
        size_t size = 0;
        if (mdb_find_pg_row(mdb, pointer, &page, &start, &size) != 0 || size < 4)
            return std::nullopt;
        const char* at = static_cast<const char*>(page) + (start & offsetMask);
        if (head & memoOnePage)
            return QByteArray(at, qsizetype(size));
        bytes.append(at + 4, qsizetype(size) - 4);
        pointer = int(qFromLittleEndian<qint32>(at));
    }
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

// The value of a field whose bytes are copied off its page; null when it cannot be read.
QVariant valueOf(MdbHandle* mdb, const MdbColumn& column, bool isNull, const QByteArray& bytes) {
    if (column.col_type == MDB_BOOL) // the value is the field's bit of the null mask
        return isNull ? QStringLiteral("0") : QStringLiteral("1");
    if (isNull)
        return QVariant();
    QString text;
    if (column.col_type == MDB_MEMO) {
        const std::optional<QByteArray> memo = memoBytes(mdb, bytes);
        text = memo ? textOf(mdb, *memo) : QString();
    } else if (column.col_type == MDB_TEXT) {
        text = textOf(mdb, bytes);
    } else {
        text = accessValueText(column.col_type, bytes);
    }
    return text.isNull() ? QVariant() : QVariant(text);
}

} // namespace

// The fields of the record in `row` of the page in the buffer, or of the record it points to
// when an edit moved it to another page; the buffer then holds that page.
AccessReader::Fields AccessReader::fieldsOf(MdbTableDef* table, int row) {
    MdbHandle* mdb = table->entry->mdb;
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, row, &start, &size) != 0)
        return {};
    if (start & pointerFlag) {
        if (size < 4)
            return {};
        const int pointer = int(mdb_get_int32(mdb->pg_buf, start & offsetMask));
        if (!readDataPage(table, pointer >> 8) ||
            mdb_find_row(mdb, pointer & 0xff, &start, &size) != 0 || start & pointerFlag)
            return {};
    }
    std::vector<MdbField> cracked(table->num_cols);
    if (mdb_crack_row(table, start & offsetMask, size, cracked.data()) < 0)
        return {};
    Fields fields;
    for (const MdbField& field : cracked)
        fields.push_back(
            {bool(field.is_null), QByteArray(static_cast<const char*>(field.value), field.siz)});
    return fields;
}

// Whether `page` is read into the buffer and is one of the table's data pages.
bool AccessReader::readDataPage(MdbTableDef* table, int page) {
    MdbHandle* mdb = table->entry->mdb;
    return page > 0 && mdb_read_pg(mdb, page) == mdb->fmt->pg_size && mdb->pg_buf[0] == 0x01 &&
           quint32(mdb_get_int32(mdb->pg_buf, 4)) == table->entry->table_pg;
}

void AccessReader::readRows(const QString& name, const QStringList& wanted, const Row& row) {
    const std::unique_ptr<Table> table = open(name);
    MdbTableDef* def = table->def;
    MdbHandle* mdb = handle_->mdb;
    std::vector<int> indexes;
    for (const QString& column : wanted)
        for (unsigned int i = 0; i < def->num_cols; ++i)
            if (QString::fromUtf8(
                    static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i))->name) == column)
                indexes.push_back(int(i));
    int number = 0;
    const auto damaged = [&](const QString& what) {
        fail(QStringLiteral("è danneggiato: %1 di %2 non si legge").arg(what, name));
    };
    // A page's records are read under one catch of the library's words, and handed on only after
    // it: what the handler writes is no word of the library's.
    for (gint32 page = 0;;) {
        QList<QVariantList> records;
        {
            const StandardErrorCatch said;
            listen(said);
            page = mdb_map_find_next(mdb, def->usage_map, unsigned(def->map_sz), guint32(page));
            if (!said.text().isEmpty())
                damaged(QStringLiteral("una pagina") + told(said));
            if (page < 0 || (page > 0 && !readDataPage(def, page)))
                damaged(QStringLiteral("la pagina %1").arg(page));
            if (page == 0) // the usage map has no further page
                break;
            const int rows = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
            for (int slot = 0; slot < rows; ++slot) {
                if (!readDataPage(def, page))
                    damaged(QStringLiteral("la pagina %1").arg(page));
                const int start =
                    mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset + 2 + 2 * slot);
                // Deleted, or the body of a record moved here, read through its pointer.
                if (start & deletedFlag)
                    continue;
                ++number;
                const Fields fields = fieldsOf(def, slot);
                if (fields.size() != def->num_cols)
                    damaged(QStringLiteral("il record %1").arg(number));
                QVariantList values;
                for (const int i : indexes) {
                    const auto* column =
                        static_cast<const MdbColumn*>(g_ptr_array_index(def->columns, i));
                    values << valueOf(mdb, *column, fields.at(size_t(i)).null,
                                      fields.at(size_t(i)).bytes);
                    if (values.last().isNull() && !fields.at(size_t(i)).null)
                        fail(QStringLiteral("ha nel record %1 di %2, campo %3, un valore che il "
                                            "programma non sa scrivere (tipo %4)")
                                 .arg(number)
                                 .arg(name, QString::fromUtf8(column->name))
                                 .arg(column->col_type));
                }
                records << values;
            }
            if (!said.text().isEmpty())
                damaged(QStringLiteral("la pagina %1").arg(page) + told(said));
        }
        for (const QVariantList& values : std::as_const(records))
            row(values);
    }
    if (number != int(def->num_rows))
        fail(QStringLiteral("è danneggiato: la tabella %1 ha %2 record dei %3 che dichiara")
                 .arg(name)
                 .arg(number)
                 .arg(def->num_rows));
}

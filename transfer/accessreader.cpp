#include "transfer/accessreader.h"

#include "data/accessfile.h"
#include "data/databaseerror.h"

#include <charconv>
#include <cmath>
#include <mdbtools.h>
#include <QDateTime>
#include <QFile>
#include <QtEndian>

namespace {

constexpr int offsetMask = 0x1fff;
constexpr int overflowFlag = 0x4000;

template <typename T> QString shortest(T value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
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
    handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle_->mdb || !mdb_read_catalog(handle_->mdb, MDB_TABLE))
        fail(QStringLiteral("è danneggiato: il suo catalogo non si legge"));
}

AccessReader::~AccessReader() = default;

void AccessReader::fail(const QString& cause) const {
    throw DatabaseError{DatabaseErrors::AccessFileUnreadable,
                        QStringLiteral("Il file Access %1 %2.").arg(path_, cause)};
}

std::unique_ptr<AccessReader::Table> AccessReader::open(const QString& name) {
    MdbHandle* mdb = handle_->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE ||
            QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        auto table = std::make_unique<Table>();
        table->def = mdb_read_table(entry);
        if (!table->def || !mdb_read_columns(table->def))
            fail(QStringLiteral("è danneggiato: la tabella %1 non si legge").arg(name));
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

QVariant valueOf(MdbHandle* mdb, const MdbColumn& column, const MdbField& field) {
    if (column.col_type == MDB_BOOL) // the value is the field's bit of the null mask
        return field.is_null ? QStringLiteral("0") : QStringLiteral("1");
    if (field.is_null)
        return QVariant();
    if (column.col_type == MDB_TEXT || column.col_type == MDB_MEMO) {
        char* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, column.col_type, field.siz);
        const QString value = text ? QString::fromUtf8(text) : QString();
        g_free(text);
        return value.isNull() ? QString(QLatin1String("")) : value;
    }
    const QString value = accessValueText(
        column.col_type, QByteArray(static_cast<const char*>(field.value), field.siz));
    return value.isEmpty() ? QVariant() : QVariant(value);
}

} // namespace

// The record mdb_fetch_row has just read, split into its fields on the page that holds it (a
// record moved to another page is read there); empty when it cannot be found.
QVariantList AccessReader::currentValues(MdbTableDef* table, const std::vector<int>& indexes) {
    MdbHandle* mdb = table->entry->mdb;
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size) != 0)
        return {};
    const bool moved = start & overflowFlag;
    if (moved) {
        void* page = nullptr;
        const int pointer = int(mdb_get_int32(mdb->pg_buf, start & offsetMask));
        if (mdb_find_pg_row(mdb, pointer, &page, &start, &size) != 0)
            return {};
        mdb_swap_pgbuf(mdb);
    }
    std::vector<MdbField> fields(table->num_cols);
    mdb_crack_row(table, start & offsetMask, size, fields.data());
    QVariantList values;
    for (const int i : indexes) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        values << valueOf(mdb, *column, fields[i]);
        if (values.last().isNull() && !fields[i].is_null && column->col_type != MDB_BOOL) {
            if (moved)
                mdb_swap_pgbuf(mdb);
            fail(QStringLiteral("ha nel campo %1 un tipo di dato che il programma non legge (%2)")
                     .arg(QString::fromUtf8(column->name))
                     .arg(column->col_type));
        }
    }
    if (moved)
        mdb_swap_pgbuf(mdb);
    return values;
}

void AccessReader::readRows(const QString& name, const QStringList& wanted, const Row& row) {
    const std::unique_ptr<Table> table = open(name);
    std::vector<int> indexes;
    for (const QString& column : wanted)
        for (unsigned int i = 0; i < table->def->num_cols; ++i)
            if (QString::fromUtf8(
                    static_cast<MdbColumn*>(g_ptr_array_index(table->def->columns, i))->name) ==
                column)
                indexes.push_back(int(i));
    mdb_rewind_table(table->def);
    int number = 0;
    while (mdb_fetch_row(table->def)) {
        ++number;
        const QVariantList values = currentValues(table->def, indexes);
        if (values.size() != int(indexes.size()))
            fail(QStringLiteral("è danneggiato: il record %1 di %2 non si legge")
                     .arg(number)
                     .arg(name));
        row(values);
    }
}

#include "report/storedrecords.h"

#include "data/queryrecordset.h"

#include <array>

namespace ControlList {

QString storedRowsQuery() {
    return QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD IN (?, ?) order by seq");
}

QString storedFieldsQuery() {
    // SX_1 and the SX35 flags count on the summary row alone.
    return QStringLiteral(
        "SELECT SEQ, CASE WHEN SEQ = '001' THEN SX_1 END AS SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, "
        "SX_7, CASE WHEN SEQ = '001' THEN SX_8 END AS SX_8, CASE WHEN SEQ = '001' THEN SX_9 END "
        "AS SX_9, CASE WHEN SEQ = '001' THEN SX_10 END AS SX_10 FROM QUADROSX where CODAZI = ? AND "
        "CFD IN (?, ?) order by seq");
}

QList<Record> readRecords(QueryRecordset& query) {
    QList<Record> records;
    if (query.recordCount() == 0)
        return records;
    // Each field is found by name once, not once per row.
    const int seq = query.fieldIndex(QStringLiteral("seq"));
    std::array<int, 11> sx{};
    for (int j = 1; j <= 10; ++j)
        sx[j] = query.fieldIndex(QStringLiteral("SX_") + QString::number(j));
    query.moveFirst();
    while (!query.eof()) {
        Record record;
        record.seq = query.field(seq);
        for (int j = 1; j <= 10; ++j)
            record.sx[j] = query.field(sx[j]);
        records.append(std::move(record));
        query.moveNext();
    }
    return records;
}

} // namespace ControlList

#pragma once

#include "report/controllist.h"

#include <QList>
#include <QString>

class QueryRecordset;

namespace ControlList {

// The query of a declarant's stored rows, in SEQ order: the company code and the two forms of
// the tax code (keyForms) bound.
QString storedRowsQuery();
// The same rows with only the fields the list prints, for reading many declarants: the store
// converts every field it returns.
QString storedFieldsQuery();

// The rows of that query, read to the end; a Null field stays a null QString.
QList<Record> readRecords(QueryRecordset& query);

} // namespace ControlList

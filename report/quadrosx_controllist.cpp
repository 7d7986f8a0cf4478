#include "app/quadrosx.h"
#include "report/controllist.h"
#include "selection/declarantline.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

// The declarant's stored rows, in the query's order; a Null field stays a null QString.
QList<ControlList::Record> readRecords(QueryRecordset& query) {
    QList<ControlList::Record> records;
    if (query.recordCount() == 0)
        return records;
    query.moveFirst();
    while (!query.eof()) {
        ControlList::Record record;
        record.seq = query.field(QStringLiteral("seq"));
        for (int j = 1; j <= 10; ++j)
            record.sx[j] = query.field(QStringLiteral("SX_") + QString::number(j));
        records.append(record);
        query.moveNext();
    }
    return records;
}

} // namespace

void QUADROSX::wireReport() {
    connect(CmdStLista, &QPushButton::clicked, this,
            [this] { guarded([this] { CmdStLista_Click(); }); });
}

void QUADROSX::CmdStLista_Click() {
    // A printer that is missing or refuses the job must not cost the user the pending changes:
    // it is reported and the window goes on. A database failure still ends the run.
    try {
        const std::unique_ptr<PrinterSink> printer = services_.printer();
        const QString line = List1->currentItem() ? List1->currentItem()->text() : QString();
        mod_.RSQUERY = mod_.DBARCHIVIO->openQuery(
            QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD = ? order by seq"),
            {companyCodeOfLine(line), taxCodeOfLine(line)});
        const QList<ControlList::Record> records = readRecords(*mod_.RSQUERY);
        ControlList::print(*printer, records, {LabAZI->text(), LabCOGNODEN->text(), LabCF->text()});
        mod_.RSQUERY->close();
    } catch (const PrinterError& error) {
        if (mod_.RSQUERY && mod_.RSQUERY->isOpen())
            mod_.RSQUERY->close();
        ask(QStringLiteral("Errore di stampa") + CR() + CR() + error.description,
            MessageBoxes::OkOnly + MessageBoxes::Critical, windowTitle());
        return;
    }
    ask(QStringLiteral("Stampa - Lista di controllo quadro SX .... Terminata"),
        MessageBoxes::OkOnly + MessageBoxes::Information, windowTitle());
}

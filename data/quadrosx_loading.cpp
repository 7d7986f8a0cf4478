#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "data/keyforms.h"
#include "data/rowkey.h"
#include "editor/amount.h"
#include "selection/declarantline.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

QString sxField(int j) {
    return QStringLiteral("SX_") + QString::number(j);
}

} // namespace

void QUADROSX::LEGGICREAQUADROSX() {
    LISTASXREGIONI();
    const QString line = List1->currentItem() ? List1->currentItem()->text() : QString();
    const QString company = companyCodeOfLine(line);
    const QString taxCode = taxCodeOfLine(line);
    mod_.RSQUERY = mod_.DBARCHIVIO->openQuery(
        QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD IN (?, ?) order by seq"),
        QVariantList{company} + keyForms(taxCode));
    if (mod_.RSQUERY->recordCount() != 0) {
        {
            const ReadSnapshot snapshot(*mod_.DBARCHIVIO);
            CARICADATIARRAY();
        }
        CARICADATI();
        mod_.RSQUERY->close();
        verificaimportisx();
        return;
    }
    mod_.RSQUERY->close();
    // The 31 rows land together or not at all, and once: another workstation opening the same
    // declarant at the same moment may have made them while this one waited for the lock.
    Transaction transaction(*mod_.DBARCHIVIO);
    TableRecordset& table = *mod_.TABQUADROSX;
    table.seek({company, taxCode, rowKey(1)});
    if (table.noMatch())
        for (int i = 1; i <= 31; ++i) {
            table.addNew();
            table.setField(QStringLiteral("CODAZI"), company);
            table.setField(QStringLiteral("CFD"), taxCode);
            table.setField(QStringLiteral("SEQ"), rowKey(i));
            for (int j = 1; j <= 10; ++j)
                table.setField(sxField(j), QStringLiteral("0"));
            table.update();
        }
    transaction.commit();
    CARICADATIARRAY();
    CARICADATI();
}

void QUADROSX::CARICADATIARRAY() {
    TableRecordset& table = *mod_.TABQUADROSX;
    for (int i = 1; i <= 31; ++i) {
        SEQCORRENTE = rowKey(i);
        table.seek({AZIENDACORRENTE, CFCORRENTE, SEQCORRENTE});
        if (table.noMatch())
            continue;
        takeStoredRow(TABELLASX, i, [&table](int j) { return table.field(sxField(j)); });
    }
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
}

void QUADROSX::CARICADATI() {
    for (int k = 1; k <= 7; ++k)
        assignText(k, LibrAgg770::formatAmountText(trimBlanks(TABELLASX.cell(1, k))));
    for (int k = 8; k <= 10; ++k)
        if (TABELLASX.cell(1, k) != QLatin1String("0"))
            Check1(k)->setChecked(true);
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
}

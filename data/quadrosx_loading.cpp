#include "app/quadrosx.h"
#include "app/trimblanks.h"
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
        QStringLiteral("SELECT * FROM QUADROSX where CODAZI = ? AND CFD = ? order by seq"),
        {company, taxCode});
    if (mod_.RSQUERY->recordCount() != 0) {
        CARICADATIARRAY();
        CARICADATI();
        mod_.RSQUERY->close();
        verificaimportisx();
        return;
    }
    mod_.RSQUERY->close();
    // The 31 rows land together or not at all.
    Transaction transaction(*mod_.DBARCHIVIO);
    TableRecordset& table = *mod_.TABQUADROSX;
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
        if (i == 1) {
            for (int j = 1; j <= 7; ++j)
                TABELLASX.setCell(1, j, trimBlanks(table.field(sxField(j))));
            for (int j = 8; j <= 10; ++j) {
                TABELLASX.setCell(1, j, QStringLiteral("0"));
                if (table.field(sxField(j)) == QLatin1String("1"))
                    TABELLASX.setCell(1, j, QStringLiteral("1"));
            }
        } else {
            for (int j = 2; j <= 7; ++j)
                TABELLASX.setCell(i, j, trimBlanks(table.field(sxField(j))));
        }
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

#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "data/rowkey.h"
#include "editor/amount.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString sxField(int j) {
    return QStringLiteral("SX_") + QString::number(j);
}

QString storedAmount(const QString& text) {
    return LibrAgg770::VALIDAIMPORTO(trimBlanks(text));
}

// The keys the rows are searched by: the company code as three digits, the tax code in its
// 16-character form.
QString companyKey(const QString& company) {
    return (QStringLiteral("000") + trimBlanks(company)).right(3);
}
QString taxKey(const QString& taxCode) {
    return trimBlanks(taxCode).leftJustified(16, QLatin1Char(' '), true);
}

} // namespace

void QUADROSX::wireStoring() {
    connect(cmdmemorizza, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdmemorizza_Click(); }); });
}

void QUADROSX::cmdmemorizza_Click() {
    if (mod_.FLAGVARIAZIONI != 1)
        return;
    CONTROLLOCAMPI();
    if (mod_.FLAGBLOCCO == 1)
        return;
    MEMORIZZADATI();
    mod_.FLAGVARIAZIONI = 0;
    FLAGVARIAZRIGO = 0;
}

void QUADROSX::MEMORIZZADATI() {
    const QStringList declarantKeys = {companyKey(AZIENDACORRENTE), taxKey(CFCORRENTE)};
    TableRecordset& table = *mod_.TABQUADROSX;
    {
        // The 31 rows and the front-page indicator land together or not at all.
        Transaction transaction(*mod_.DBARCHIVIO);
        for (int i = 1; i <= 31; ++i) {
            SEQCORRENTE = rowKey(i);
            table.seek(declarantKeys + QStringList{SEQCORRENTE});
            if (table.noMatch()) {
                table.addNew();
                table.setField(QStringLiteral("CODAZI"), AZIENDACORRENTE);
                table.setField(QStringLiteral("CFD"), CFCORRENTE);
                table.setField(QStringLiteral("SEQ"), SEQCORRENTE);
            } else {
                table.edit();
            }
            if (i == 1) {
                // The summary row comes from the screen, not from the SX row table.
                for (int j = 1; j <= 7; ++j)
                    table.setField(sxField(j), storedAmount(Text1(j)->text()));
                for (int j = 8; j <= 10; ++j) {
                    table.setField(sxField(j), QStringLiteral("0"));
                    if (Check1(j)->isChecked())
                        table.setField(sxField(j), QStringLiteral("1"));
                }
            } else {
                const int row = SEQCORRENTE.toInt();
                for (int j = 2; j <= 7; ++j)
                    table.setField(sxField(j), storedAmount(TABELLASX.cell(row, j)));
            }
            table.update();
        }
        // A row "031" created just now means the schedule was incomplete: the indicator stays.
        if (!table.noMatch()) {
            TableRecordset& front = *mod_.TABFRONTESPIZIO;
            front.seek({AZIENDACORRENTE, CFCORRENTE});
            if (!front.noMatch()) {
                front.edit();
                front.setField(QStringLiteral("FR_46"),
                               TOTALEQUADRO != 0 ? QStringLiteral("1") : QStringLiteral("0"));
                front.update();
            }
        }
        transaction.commit();
    }
    mod_.FLAGVARIAZIONI = 0;
    IMPOSTATESTATADIC();
    PULISCICAMPI();
    PULISCICAMPIARRAY();
    {
        const ReadSnapshot snapshot(*mod_.DBARCHIVIO);
        CARICADATIARRAY();
    }
    CARICADATI();
}

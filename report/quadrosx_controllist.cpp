#include "app/quadrosx.h"
#include "data/keyforms.h"
#include "report/controllist.h"
#include "report/storedrecords.h"
#include "selection/declarantline.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
        mod_.RSQUERY = mod_.DBARCHIVIO->openQuery(ControlList::storedRowsQuery(),
                                                  QVariantList{companyCodeOfLine(line)} +
                                                      keyForms(taxCodeOfLine(line)));
        const QList<ControlList::Record> records = ControlList::readRecords(*mod_.RSQUERY);
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

#include "app/listboxevents.h"
#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "data/rowkey.h"
#include "selection/declarantline.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <utility>
#include <vector>

namespace {

struct SortOrder {
    int option;
    const char* query;
};

constexpr SortOrder sortOrders[] = {
    {0, "SELECT * FROM frontespizio order by codazi"},
    {1, "SELECT * FROM frontespizio order by cfd"},
    {2, "SELECT * FROM frontespizio order by fr_1,fr_2,fr_3"},
};

void place(QWidget* frame, int left, int top, int width, int height) {
    frame->setGeometry(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

void QUADROSX::wireSelection() {
    for (const auto& [index, option] : Option2.all()) {
        const int i = index;
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                guarded([this, i] { Option2_Click(i); });
        });
    }
    new ListBoxEvents(List1, {});
    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this] { guarded([this] { List1_DblClick(); }); });
    connect(cmdselprec(1), &QPushButton::clicked, this,
            [this] { guarded([this] { cmdselprec_Click(1); }); });
}

void QUADROSX::IMPOSTAFRAME() {
    place(Frmtestata, 120, 210, 11745, 615);
    place(FrmSelezione(0), 120, 900, 11745, 5800);
    place(Frmmoduli(0), 120, 900, 11745, 6645);
    for (QGroupBox* frame : {Frmtestata, FrmSelezione(0), Frmmoduli(0)}) {
        frame->setTitle(QString());
        frame->setVisible(false);
    }
    FrmSelezione(0)->setVisible(true);
}

void QUADROSX::LISTADICHIARAZIONI() {
    List1->clear();
    QStringList lines;
    for (const SortOrder& order : sortOrders) {
        if (!Option2(order.option)->isChecked())
            continue;
        mod_.RSLISTA = mod_.DBARCHIVIO->openQuery(QString::fromLatin1(order.query));
        QueryRecordset& list = *mod_.RSLISTA;
        if (list.recordCount() != 0) {
            const int columns[] = {list.fieldIndex(QStringLiteral("CODAZI")),
                                   list.fieldIndex(QStringLiteral("CFD")),
                                   list.fieldIndex(QStringLiteral("FR_1")),
                                   list.fieldIndex(QStringLiteral("FR_2")),
                                   list.fieldIndex(QStringLiteral("FR_3")),
                                   list.fieldIndex(QStringLiteral("fr_14"))};
            QString fields[6];
            list.moveFirst();
            while (!list.eof()) {
                lines << declarantLine(
                    list.field(columns[0], fields[0]), list.field(columns[1], fields[1]),
                    list.field(columns[2], fields[2]), list.field(columns[3], fields[3]),
                    list.field(columns[4], fields[4]), list.field(columns[5], fields[5]));
                list.moveNext();
            }
        }
        list.close();
    }
    // One insertion of the whole list: the lines stay in the order of the query.
    List1->addItems(lines);
}

void QUADROSX::Option2_Click(int) {
    if (FLAGLISTA == 1)
        LISTADICHIARAZIONI();
}

void QUADROSX::List1_DblClick() {
    const QListWidgetItem* selected = List1->currentItem();
    const QString line = selected ? selected->text() : QString();
    if (trimBlanks(line).isEmpty())
        return;
    AZIENDACORRENTE = companyCodeOfLine(line);
    CFCORRENTE = taxCodeOfLine(line);
    SEQCORRENTE = QStringLiteral("001");
    PULISCICAMPI();
    PULISCICAMPIARRAY();
    LEGGICREAQUADROSX();
    IMPOSTATESTATADIC();
    Frmmoduli(0)->setVisible(true);
    FrmSelezione(0)->setVisible(false);
    Frmtestata->setVisible(true);
    Frameregioni->setTitle(QString());
    Frameimporti->setTitle(QString());
    FLAGVARIAZRIGO = 0;
    mod_.FLAGVARIAZIONI = 0;
    Text1(1)->setFocus();
}

void QUADROSX::IMPOSTATESTATADIC() {
    const QListWidgetItem* selected = List1->currentItem();
    const DeclarantHeader header = declarantHeader(selected ? selected->text() : QString());
    const std::pair<QLabel*, QString> texts[] = {
        {LabCOGNODEN, header.name}, {LabCF, header.taxCode}, {LabAZI, header.company}};
    // A label already showing its text is not painted again: the reload after each storing
    // writes the same declarant, and painting at once is the dearest part of it.
    std::vector<QLabel*> changed;
    for (const auto& [label, text] : texts) {
        if (label->text() == text)
            continue;
        label->setText(text);
        changed.push_back(label);
    }
    for (QLabel* label : changed)
        label->repaint();
}

void QUADROSX::RITORNASELEZDIC() {
    FrmSelezione(0)->setVisible(true);
    LISTADICHIARAZIONI();
    Frmmoduli(0)->setVisible(false);
    Frmtestata->setVisible(false);
}

void QUADROSX::cmdselprec_Click(int) {
    if (mayLeaveSchedule())
        RITORNASELEZDIC();
}

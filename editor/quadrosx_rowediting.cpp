#include "app/quadrosx.h"
#include "editor/amount.h"
#include "editor/regioncatalogue.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QColor navy(0, 0, 128);
const QColor grey(64, 64, 64);

void setForeColor(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QString selectedLine(const QListWidget* list) {
    return list->currentItem() ? list->currentItem()->text() : QString();
}

} // namespace

void QUADROSX::wireRows() {
    connect(List2, &QListWidget::itemDoubleClicked, this,
            [this] { guarded([this] { List2_DblClick(); }); });
    connect(cmdelimina, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdelimina_Click(); }); });
    connect(Cmdannulla, &QPushButton::clicked, this,
            [this] { guarded([this] { Cmdannulla_Click(); }); });
    connect(cmdconferma, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdconferma_Click(); }); });
}

void QUADROSX::List2_DblClick() {
    ABILITAFRAMERIGHI();
}

void QUADROSX::ABILITAFRAMERIGHI() {
    Frameimporti->setEnabled(true);
    for (int i = 1; i <= 17; ++i) {
        if (i <= 7) {
            Text1(i)->setEnabled(false);
        } else if (i <= 10) {
            Check1(i)->setEnabled(false);
        } else if (i >= 12) {
            Text1(i)->setEnabled(true);
            setForeColor(testate3(i), navy);
        }
    }
    List2->setEnabled(false);
    for (QPushButton* button : {Cmdannulla, cmdconferma, cmdelimina, cmduscita(0)})
        button->setEnabled(true);
    for (QPushButton* button : {cmdmemorizza, CmdStLista, cmdselprec(1), Cmdtotali})
        button->setEnabled(false);
    Label2(18)->setText(RegionCatalogue::rowCodeOfLine(selectedLine(List2)));
    Text1(12)->setFocus();
}

void QUADROSX::DISABILITAFRAMERIGHI() {
    for (int i = 1; i <= 17; ++i) {
        if (i <= 7) {
            Text1(i)->setEnabled(true);
        } else if (i <= 10) {
            Check1(i)->setEnabled(true);
        } else if (i >= 12) {
            assignText(i, LibrAgg770::zeroAmount());
            setForeColor(testate3(i), grey);
        }
    }
    List2->setEnabled(true);
    // The button that closes the row is greyed below, and the focus would be lost with it: the
    // clerk goes on from the list, where the next row is chosen. Given before the line is
    // cleared, the focus makes no line current.
    List2->setFocus();
    List2->setCurrentRow(-1);
    List2_Click();
    for (QPushButton* button : {Cmdannulla, cmdconferma, cmdelimina})
        button->setEnabled(false);
    for (QPushButton* button : {cmduscita(0), cmdmemorizza, CmdStLista, cmdselprec(1), Cmdtotali})
        button->setEnabled(true);
    Label2(18)->setText(QString());
    Frameimporti->setEnabled(false);
}

void QUADROSX::cmdconferma_Click() {
    SEQCORRENTE = RegionCatalogue::rowKeyOfLine(selectedLine(List2));
    CONTROLLORIGHI();
    if (mod_.FLAGBLOCCO == 1)
        return;
    MEMORIZZAARRAY();
    DISABILITAFRAMERIGHI();
}

void QUADROSX::Cmdannulla_Click() {
    if (FLAGVARIAZRIGO == 1) {
        MESSAGGIOVARIAZRIGO();
        if (mod_.FLAGBLOCCO == 1)
            return;
        if (mod_.RISPOSTA == MessageBoxes::Cancel)
            return;
        if (mod_.RISPOSTA == MessageBoxes::No) {
            mod_.FLAGBLOCCO = 0;
            FLAGVARIAZRIGO = 0;
        }
    }
    DISABILITAFRAMERIGHI();
}

void QUADROSX::MESSAGGIOVARIAZRIGO() {
    const int answer = ask(QStringLiteral("Sono state effettuate delle variazioni") + CR() +
                               QStringLiteral("Salvare ?"),
                           MessageBoxes::YesNoCancel + MessageBoxes::Question, windowTitle());
    mod_.RISPOSTA = qint16(answer);
    // The confirmation asks questions of its own: what follows goes by this answer.
    if (answer == MessageBoxes::Yes) {
        if (Frameimporti->isEnabled())
            cmdconferma_Click();
        if (mod_.FLAGBLOCCO != 1)
            FLAGVARIAZRIGO = 0;
    } else if (answer == MessageBoxes::No) {
        FLAGVARIAZRIGO = 0;
    }
}

void QUADROSX::cmdelimina_Click() {
    const QString line = selectedLine(List2);
    mod_.RISPOSTA = qint16(ask(QStringLiteral("Vuoi cancellare i valori della riga corrente ?") +
                                   CR() + CR() + line.left(40),
                               MessageBoxes::YesNo + MessageBoxes::Critical, windowTitle()));
    if (mod_.RISPOSTA != MessageBoxes::Yes)
        return;
    SEQCORRENTE = RegionCatalogue::rowKeyOfLine(line);
    const int row = SEQCORRENTE.toInt();
    for (int j = 2; j <= 7; ++j) {
        assignText(j + 10, LibrAgg770::zeroAmount());
        TABELLASX.setCell(row, j, QStringLiteral("0"));
    }
    if (ask(QStringLiteral("Vuoi ricalcolare gli importi?"),
            MessageBoxes::YesNo + MessageBoxes::Question, windowTitle()) == MessageBoxes::Yes)
        RICALCOLAIMPORTI();
    DISABILITAFRAMERIGHI();
    mod_.FLAGVARIAZIONI = 1;
}

#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "editor/amount.h"
#include "editor/regioncatalogue.h"

#include <functional>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// A key that moves the selection of a list is a click on the line it selects. The list gets
// the key first; only a change of the current or selected line counts, so the focus arriving
// in the list (which makes its first line current) shows nothing.
class KeySelection : public QObject {
  public:
    KeySelection(QListWidget* list, std::function<void()> click)
        : QObject(list), list_(list), click_(std::move(click)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != list_ || event->type() != QEvent::KeyPress)
            return false;
        const auto before = std::make_pair(list_->currentRow(), selectedRow());
        static_cast<QObject*>(list_)->event(event);
        if (std::make_pair(list_->currentRow(), selectedRow()) != before)
            click_();
        return true;
    }

  private:
    int selectedRow() const {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        return selected.isEmpty() ? -1 : list_->row(selected.first());
    }

    QListWidget* list_;
    std::function<void()> click_;
};

} // namespace

void QUADROSX::wireRegionList() {
    // Every press on a line is a click: also on the line already current, also the first
    // press of a double click, which relies on the row it shows.
    connect(List2, &QListWidget::pressed, this, [this] { guarded([this] { List2_Click(); }); });
    List2->installEventFilter(
        new KeySelection(List2, [this] { guarded([this] { List2_Click(); }); }));
}

void QUADROSX::LISTASXREGIONI() {
    // Emptying the list is no click on it.
    const QSignalBlocker quiet(List2);
    List2->clear();
    List2->addItems(RegionCatalogue::listLines());
}

void QUADROSX::List2_Click() {
    cmdelimina->setEnabled(true);
    const QString line = List2->currentItem() ? List2->currentItem()->text() : QString();
    if (trimBlanks(line).isEmpty())
        return;
    Label2(18)->setText(RegionCatalogue::rowCodeOfLine(line));
    Label2(18)->repaint();
    SEQCORRENTE = RegionCatalogue::rowKeyOfLine(line);
    const int row = SEQCORRENTE.toInt();
    for (int j = 2; j <= 7; ++j)
        assignText(j + 10, LibrAgg770::formatAmountText(TABELLASX.cell(row, j)));
}

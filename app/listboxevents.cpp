#include "app/listboxevents.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <utility>

ListBoxEvents::ListBoxEvents(QListWidget* list, std::function<void()> click)
    : QObject(list), list_(list), viewport_(list->viewport()), click_(std::move(click)) {
    list->installEventFilter(this);
    viewport_->installEventFilter(this);
}

bool ListBoxEvents::eventFilter(QObject* watched, QEvent* event) {
    // A greyed list drops the mouse and the keys itself, but only after this filter has seen
    // them: nothing here may act on them first.
    if (!list_->isEnabled())
        return false;
    if (watched == viewport_)
        return mouseEvent(event);
    if (watched == list_ && event->type() == QEvent::KeyPress)
        return keyPress(event);
    return false;
}

bool ListBoxEvents::mouseEvent(QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return true;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        releaseEndsDoubleClick_ = type == QEvent::MouseButtonDblClick;
        return false;
    }
    // The selection followed the mouse while the button was held: the line under it now is
    // the one clicked.
    const int row = list_->indexAt(mouse->position().toPoint()).row();
    if (!std::exchange(releaseEndsDoubleClick_, false) && row >= 0 && click_) {
        list_->setCurrentRow(row);
        click_();
    }
    return false;
}

// A key that selects another line is a click on it. The list gets the key first; only a change
// of the current or selected line counts, so the focus arriving in the list (which makes its
// first line current) shows nothing.
bool ListBoxEvents::keyPress(QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select)
        return true;
    const auto before = std::make_pair(list_->currentRow(), selectedRow());
    const bool typed = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                       !key->text().isEmpty() && key->text().at(0).isPrint();
    if (typed)
        findLine(key->text().left(1));
    else
        static_cast<QObject*>(list_)->event(event);
    if (click_ && std::make_pair(list_->currentRow(), selectedRow()) != before)
        click_();
    return true;
}

// The next line after the current one, round to the start, beginning with the character; a
// character no line begins with does nothing.
void ListBoxEvents::findLine(const QString& typed) {
    const int count = list_->count();
    for (int step = 1; step <= count; ++step) {
        const int row = (list_->currentRow() + step) % count;
        if (list_->item(row)->text().startsWith(typed, Qt::CaseInsensitive)) {
            list_->setCurrentRow(row);
            return;
        }
    }
}

int ListBoxEvents::selectedRow() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

#pragma once

#include <functional>
#include <QObject>

class QListWidget;
class QWidget;

// A list answering the mouse and the keys as the suite's single-selection list boxes do: only
// the left button selects and double-clicks; Click runs when the left button is released over
// a line, on that line, and when a key selects another line; Space does nothing, and a typed
// character goes to the next line beginning with it.
class ListBoxEvents : public QObject {
  public:
    // `click` may be empty for a list whose Click does nothing.
    ListBoxEvents(QListWidget* list, std::function<void()> click);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool mouseEvent(QEvent* event);
    bool keyPress(QEvent* event);
    void findLine(const QString& typed);
    int selectedRow() const;

    QListWidget* list_;
    // Kept apart: while the list is being destroyed its viewport can no longer be asked for.
    QWidget* viewport_;
    std::function<void()> click_;
    // The release that ends a double click is no click.
    bool releaseEndsDoubleClick_ = false;
};

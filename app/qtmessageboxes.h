#pragma once

#include "app/messageboxes.h"

class QWidget;

// Message boxes on screen, modal over the program's window.
class QtMessageBoxes : public MessageBoxes {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }
    int show(const QString& text, int style, const QString& title) override;

  private:
    QWidget* parent_ = nullptr;
};

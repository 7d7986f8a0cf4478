#pragma once

#include <QColor>
#include <QLineEdit>
#include <QPalette>

// The colours of an amount box: black on white normally, black on yellow when a check found
// it wrong.
inline void setBoxColours(QLineEdit* box, const QColor& text, const QColor& background) {
    QPalette palette = box->palette();
    // A box repaints on every palette change: leave alone one that already has its colours.
    if (palette.color(QPalette::Text) == text && palette.color(QPalette::Base) == background)
        return;
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    box->setPalette(palette);
}
inline void setNormalColours(QLineEdit* box) {
    setBoxColours(box, Qt::black, Qt::white);
}
inline void markWrong(QLineEdit* box) {
    setBoxColours(box, Qt::black, QColor(255, 255, 0));
}

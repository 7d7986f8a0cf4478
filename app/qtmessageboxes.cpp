#include "app/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case MessageBoxes::Critical:
        return QMessageBox::Critical;
    case MessageBoxes::Question:
        return QMessageBox::Question;
    case MessageBoxes::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct Choice {
    int answer;
    const char* text;
};

QList<Choice> choicesOf(int style) {
    // The buttons speak Italian whatever language the desktop has; "&" gives the letter that
    // chooses a button, with or without Alt.
    const Choice yes{MessageBoxes::Yes, "&Sì"};
    const Choice no{MessageBoxes::No, "&No"};
    switch (style & 0x7) {
    case MessageBoxes::YesNoCancel:
        return {yes, no, {MessageBoxes::Cancel, "Annulla"}};
    case MessageBoxes::YesNo:
        return {yes, no};
    default:
        return {{MessageBoxes::Ok, "OK"}};
    }
}

} // namespace

int QtMessageBoxes::show(const QString& text, int style, const QString& title) {
    QMessageBox box(iconOf(style), title, QString(text).replace(QChar(13), QLatin1Char('\n')),
                    QMessageBox::NoButton, parent_);
    const QList<Choice> choices = choicesOf(style);
    // Buttons of one role keep the order they were added in, whatever order the desktop gives
    // the roles; and with neither a No nor a Cancel role the box has no button for Escape and
    // its close box unless one is named.
    QList<QPushButton*> buttons;
    for (const Choice& choice : choices)
        buttons << box.addButton(QString::fromUtf8(choice.text), QMessageBox::ActionRole);
    // The first button is the default one, as the suite's other programs have it.
    box.setDefaultButton(buttons.first());
    if (choices.last().answer == Cancel || choices.size() == 1)
        box.setEscapeButton(buttons.last());
    box.exec();
    const auto chosen = buttons.indexOf(box.clickedButton());
    if (chosen < 0)
        throw std::logic_error("a message box closed without an answer");
    return choices.at(chosen).answer;
}

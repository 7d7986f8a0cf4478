#include "app/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>

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

} // namespace

int QtMessageBoxes::show(const QString& text, int style, const QString& title) {
    QMessageBox box(iconOf(style), title, QString(text).replace(QChar(13), QLatin1Char('\n')),
                    QMessageBox::NoButton, parent_);
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<Choice> choices;
    switch (style & 0x7) {
    case MessageBoxes::YesNoCancel:
        choices = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
        break;
    case MessageBoxes::YesNo:
        choices = {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
        break;
    default:
        choices = {{QMessageBox::Ok, Ok}};
        break;
    }
    for (const Choice& choice : choices)
        box.addButton(choice.button);
    // The first button is the default one, as the suite's other programs have it.
    box.setDefaultButton(choices.first().button);
    if (choices.last().button == QMessageBox::Cancel || choices.size() == 1)
        box.setEscapeButton(choices.last().button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& choice : choices)
        if (choice.button == clicked)
            return choice.answer;
    return choices.size() == 1 ? int(Ok) : int(Cancel);
}

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
        const char* text;
    };
    // The buttons speak Italian whatever language the desktop has.
    const Choice yes{QMessageBox::Yes, Yes, "Sì"};
    const Choice no{QMessageBox::No, No, "No"};
    QList<Choice> choices;
    switch (style & 0x7) {
    case MessageBoxes::YesNoCancel:
        choices = {yes, no, {QMessageBox::Cancel, Cancel, "Annulla"}};
        break;
    case MessageBoxes::YesNo:
        choices = {yes, no};
        break;
    default:
        choices = {{QMessageBox::Ok, Ok, "OK"}};
        break;
    }
    for (const Choice& choice : choices)
        box.addButton(choice.button)->setText(QString::fromUtf8(choice.text));
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

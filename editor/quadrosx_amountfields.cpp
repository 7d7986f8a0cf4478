#include "app/quadrosx.h"
#include "app/trimblanks.h"
#include "editor/amount.h"
#include "editor/boxcolours.h"

#include <algorithm>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace {

constexpr bool signAllowed = true;
constexpr bool commaAllowed = true;
constexpr int integerDigits = 10;
constexpr int decimals = 2;

// Keys that make no character, whatever text the platform gives them (X11 gives Delete the
// character 127): the box handles them itself.
bool makesNoCharacter(int key) {
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

// The character code a key event stands for; 0 for keys that produce none.
int characterCode(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace)
        return event->modifiers() & Qt::ControlModifier ? 127 : 8;
    if (makesNoCharacter(event->key()))
        return 0;
    if (!event->text().isEmpty())
        return event->text().at(0).unicode();
    // A chord such as Ctrl+V reaches the filter as its control code.
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A &&
        event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    return 0;
}

bool windowSwitch(const QFocusEvent* event) {
    return event->reason() == Qt::ActiveWindowFocusReason ||
           event->reason() == Qt::PopupFocusReason;
}

} // namespace

void QUADROSX::wireAmounts() {
    for (const auto& [index, box] : Text1.all()) {
        const int i = index;
        connect(box, &QLineEdit::textChanged, this,
                [this, i] { guarded([this, i] { Text1_Change(i); }); });
    }
    for (const auto& [index, check] : Check1.all()) {
        const int i = index;
        connect(check, &QCheckBox::stateChanged, this,
                [this, i] { guarded([this, i] { Check1_Click(i); }); });
    }
}

bool QUADROSX::eventFilter(QObject* watched, QEvent* event) {
    for (const auto& [index, box] : Text1.all()) {
        if (box != watched)
            continue;
        const int i = index;
        switch (event->type()) {
        case QEvent::KeyPress: {
            pressGaveFocus_ = false;
            const int code = characterCode(static_cast<QKeyEvent*>(event));
            if (code == 0)
                return false;
            guarded([this, box, i, code] {
                const int handedOn = Text1_KeyPress(i, code);
                // The box's length limits typing only: a longer text the program wrote stays.
                if (handedOn != 0 && box->text().size() < LibrAgg770::amountBoxLength)
                    box->insert(QString(QChar(handedOn)));
            });
            return true;
        }
        case QEvent::FocusIn:
            if (windowSwitch(static_cast<QFocusEvent*>(event)))
                return false;
            pressGaveFocus_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            // The box takes the focus first (selecting everything on Tab), then the caret goes
            // to the end with nothing selected.
            static_cast<QObject*>(box)->event(event);
            guarded([this, i] { Text1_GotFocus(i); });
            return true;
        case QEvent::MouseButtonPress:
            // The press that gave the focus places the caret where the mouse fell, after the
            // focus arrived: the caret goes back to the end.
            if (!std::exchange(pressGaveFocus_, false))
                return false;
            static_cast<QObject*>(box)->event(event);
            guarded([this, i] { Text1_GotFocus(i); });
            return true;
        case QEvent::FocusOut:
            pressGaveFocus_ = false;
            if (!windowSwitch(static_cast<QFocusEvent*>(event)))
                guarded([this, i] { Text1_LostFocus(i); });
            return false;
        default:
            return false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int QUADROSX::Text1_KeyPress(int index, int key) {
    mod_.FLAGVARIAZIONI = 1;
    if (index >= 12 && index <= 17)
        FLAGVARIAZRIGO = 1;
    return LibrAgg770::FILTROIMPORTO(Text1(index), key, signAllowed, commaAllowed, integerDigits,
                                     decimals);
}

void QUADROSX::Text1_GotFocus(int index) {
    QLineEdit* box = Text1(index);
    box->deselect();
    // The old box put the caret at its maximum length, which past the text is the end.
    box->setCursorPosition(std::min(LibrAgg770::amountBoxLength, int(box->text().size())));
}

void QUADROSX::Text1_LostFocus(int index) {
    if (trimBlanks(Text1(index)->text()).isEmpty())
        assignText(index, QStringLiteral("0"));
    assignText(index, LibrAgg770::formatAmountText(Text1(index)->text()));
}

void QUADROSX::assignText(int index, const QString& text) {
    QLineEdit* box = Text1(index);
    if (box->text() != text) {
        box->setText(text);
        return;
    }
    // The same text raises no signal: the change runs here, caret placed as a new text has it.
    box->setCursorPosition(int(text.size()));
    Text1_Change(index);
}

void QUADROSX::Text1_Change(int index) {
    setNormalColours(Text1(index));
}

void QUADROSX::Check1_Click(int) {
    mod_.FLAGVARIAZIONI = 1;
}

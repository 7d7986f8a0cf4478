#pragma once

#include <QString>

// Message boxes as the program asks them: a text whose line breaks are the single character
// 13, a style adding buttons (0 OK, 3 Yes/No/Cancel, 4 Yes/No) and icon (16 critical,
// 32 question, 64 information), and a title. The answer is 1 OK, 6 Yes, 7 No, 2 Cancel.
class MessageBoxes {
  public:
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };
    enum Style {
        OkOnly = 0,
        YesNoCancel = 3,
        YesNo = 4,
        Critical = 16,
        Question = 32,
        Information = 64,
    };

    virtual ~MessageBoxes() = default;
    virtual int show(const QString& text, int style, const QString& title) = 0;
};

// The line break inside a message text.
inline QString CR() {
    return QString(QChar(13));
}

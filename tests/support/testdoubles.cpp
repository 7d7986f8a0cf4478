#include "testdoubles.h"

int RecordingMessageBoxes::show(const QString& text, int style, const QString& title) {
    boxes.append({text, style, title});
    if (whileShown)
        whileShown(boxes.last());
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    ++unexpected;
    switch (style & 7) {
    case YesNoCancel:
        return Cancel;
    case YesNo:
        return No;
    default:
        return Ok;
    }
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList result;
    for (const Box& box : boxes)
        result << box.text;
    return result;
}

bool RecordingPlatform::activateWindow(const QString& title) {
    activated << title;
    return windows.contains(title);
}

bool RecordingPlatform::startProgram(const QString& path) {
    started << path;
    return true;
}

void RecordingPlatform::endProcess(int exitCode) {
    endings << exitCode;
}

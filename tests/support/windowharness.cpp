#include "windowharness.h"

#include "report/recordingprintersink.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

int RecordingMessageBoxes::show(const QString& text, int style, const QString& title) {
    boxes.append({text, style, title});
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    ++unexpected;
    const int buttons = style & 7;
    return buttons == YesNoCancel ? Cancel : buttons == YesNo ? No : Ok;
}

namespace {

// Keeps the lines of each document the window prints, after the window lets its printer go.
class KeepingPrinterSink : public RecordingPrinterSink {
  public:
    explicit KeepingPrinterSink(QList<QStringList>& documents) : documents_(documents) {}
    void endDocument() override { documents_ << lines(); }

  private:
    QList<QStringList>& documents_;
};

void clickLine(QListWidget* list, int row, bool twice) {
    QListWidgetItem* item = list->item(row);
    QVERIFY2(item, "no such line");
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

void WindowHarness::createWindow() {
    window.reset();
    mod = MOD770BAS();
    auto printer = [this]() -> std::unique_ptr<PrinterSink> {
        if (printerFailure)
            throw PrinterError{*printerFailure};
        return std::make_unique<KeepingPrinterSink>(printed);
    };
    window = std::make_unique<QUADROSX>(mod, Services{boxes, platform, printer});
}

void WindowHarness::start(const QString& commandLine) {
    mod.COMMANDLINE = commandLine;
    window->startUp();
    // Focus moves, and with them the boxes' focus events, happen only in the active window.
    if (window->isVisible()) {
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
}

void WindowHarness::startAndChoose(const QString& company) {
    start();
    open(company);
    QVERIFY(window->Frmmoduli(0)->isVisible());
}

void WindowHarness::open(const QString& company) {
    const auto lines = window->List1->findItems(company, Qt::MatchStartsWith);
    clickLine(window->List1, lines.isEmpty() ? -1 : window->List1->row(lines.first()), true);
}

void WindowHarness::clickRegionRow(int row) {
    clickLine(window->List2, row, false);
}

void WindowHarness::openRegionRow(int row) {
    clickLine(window->List2, row, true);
}

void WindowHarness::click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

void WindowHarness::type(QLineEdit* box, const QString& keys) {
    box->setFocus(Qt::MouseFocusReason);
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (key == QChar(0x7f)) // Delete as X11 sends it, with its character
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Delete, key, {});
        else
            QTest::keyClick(box, key.toLatin1());
    }
}

void WindowHarness::typeBoxes(int first, const QStringList& keys) {
    for (int k = 0; k < keys.size(); ++k)
        if (!keys.at(k).isEmpty())
            type(window->Text1(first + k), keys.at(k));
}

void WindowHarness::storeRows(const QString& company, const QString& taxCode16,
                              const QList<QVariantList>& rows) {
    for (const QVariantList& row : rows)
        archive.exec(QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, "
                                    "SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) VALUES "
                                    "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     QVariantList{company, taxCode16} + row);
}

#include "support/windowharness.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestRowEditing : public QObject {
    Q_OBJECT
private slots:
    void probe();
};

void TestRowEditing::probe() {
    WindowHarness h;
    h.archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
    h.start();
    h.open("001");
    qDebug() << "active" << h.window->isActiveWindow() << QApplication::activeWindow();
    h.openRegionRow(8);
    qDebug() << "label" << h.window->Label2(18)->text() << h.window->focusWidget() << QApplication::focusWidget();
    h.type(h.window->Text1(12), "100");
    h.type(h.window->Text1(13), "5");
    qDebug() << h.window->Text1(12)->text() << h.window->Text1(13)->text();
    h.boxes.answer({7});
    h.click(h.window->cmdconferma);
    qDebug() << h.window->Text1(13)->text() << h.window->TABELLASX.cell(10, 2) << h.window->TABELLASX.cell(10, 3);
    for (auto& b : h.boxes.boxes) qDebug() << b.text << b.style << b.title;
}

QTEST_MAIN(TestRowEditing)
#include "tst_rowediting.moc"

#include "support/windowharness.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestStoring : public QObject {
    Q_OBJECT
private slots:
    void probe();
};

void TestStoring::probe() {
    WindowHarness h;
    h.archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
    h.start();
    h.open("001");
    h.openRegionRow(0);
    h.type(h.window->Text1(12), "1000,5");
    h.type(h.window->Text1(13), "200");
    h.type(h.window->Text1(17), "5");
    h.boxes.answer({7});
    h.click(h.window->cmdconferma);
    qDebug() << h.window->TABELLASX.cell(2, 2) << h.window->TABELLASX.cell(2, 3) << h.window->TABELLASX.cell(2, 4)<< h.window->TABELLASX.cell(2, 7);
    h.type(h.window->Text1(2), "1000,5");
    h.type(h.window->Text1(3), "-");
    h.click(h.window->Check1(8));
    qDebug() << h.window->Text1(2)->text() << h.window->Text1(3)->text() << h.window->Check1(8)->isChecked() << h.window->mod().FLAGVARIAZIONI;
    h.type(h.window->Text1(7), "5");
    const QByteArray before = fileBytes(h.archive.yearPath());
    h.click(h.window->cmdmemorizza);
    for (auto& b : h.boxes.boxes) qDebug() << b.text << b.style << b.title;
    qDebug() << h.storedRow("001", "RSSMRA80A01H501U", "001") << h.storedRow("001", "RSSMRA80A01H501U", "002");
    qDebug() << h.archive.rows("SELECT FR_46 FROM FRONTESPIZIO");
    qDebug() << (before == fileBytes(h.archive.yearPath()));
}

QTEST_MAIN(TestStoring)
#include "tst_storing.moc"

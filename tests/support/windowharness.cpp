#include "windowharness.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

QString Shown::box6BelowZero(const QString& amount) {
    return QStringLiteral("Attenzione !!!\rImporto di cui si chiede il rimborso ( ") + amount +
           QStringLiteral(" )\rSe il risultato della casella 6 e' negativo il valore verra' messo "
                          "a zero");
}

WindowHarness::WindowHarness() {
    createWindow();
}

WindowHarness::~WindowHarness() {
    window.reset();
}

void WindowHarness::createWindow() {
    window.reset();
    mod = MOD770BAS();
    auto printer = [this]() -> std::unique_ptr<PrinterSink> {
        if (printerFailure)
            throw PrinterError{*printerFailure};
        auto sink = std::make_shared<RecordingPrinterSink>();
        printed << sink;
        return std::make_unique<ForwardingPrinterSink>(sink);
    };
    window = std::make_unique<QUADROSX>(mod, Services{boxes, platform, printer});
}

void WindowHarness::start(const QString& commandLine) {
    mod.COMMANDLINE = commandLine;
    window->startUp();
    // Focus moves, and with them the boxes' focus events, happen only in the active window.
    if (window->isVisible()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
}

void WindowHarness::startAndChoose(const QString& company) {
    start();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    open(company);
    QVERIFY(window->Frmmoduli(0)->isVisible());
}

int WindowHarness::declarantRow(const QString& company) const {
    for (int i = 0; i < window->List1->count(); ++i)
        if (window->List1->item(i)->text().startsWith(company))
            return i;
    return -1;
}

namespace {

void doubleClickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    QVERIFY2(item, "no such line");
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

void WindowHarness::open(const QString& company) {
    doubleClickRow(window->List1, declarantRow(company));
}

void WindowHarness::clickRegionRow(int row) {
    QListWidgetItem* item = window->List2->item(row);
    QVERIFY2(item, "no such region row");
    window->List2->scrollToItem(item);
    QTest::mouseClick(window->List2->viewport(), Qt::LeftButton, {},
                      window->List2->visualItemRect(item).center());
}

void WindowHarness::openRegionRow(int row) {
    doubleClickRow(window->List2, row);
}

void WindowHarness::click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowHarness::type(QLineEdit* box, const QString& keys) {
    box->setFocus(Qt::MouseFocusReason);
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClick(box, key.toLatin1());
    }
}

void WindowHarness::typeBoxes(int first, const QStringList& keys) {
    for (int k = 0; k < keys.size(); ++k)
        if (!keys.at(k).isEmpty())
            type(window->Text1(first + k), keys.at(k));
}

void WindowHarness::compareBoxes(const QStringList& texts, const QList<int>& styles) const {
    QCOMPARE(boxes.unexpected, 0);
    QStringList shown;
    QList<int> shownStyles;
    for (const auto& box : boxes.boxes) {
        shown << box.text;
        shownStyles << box.style;
        QCOMPARE(box.title, Shown::caption);
    }
    QCOMPARE(shown, texts);
    QCOMPARE(shownStyles, styles);
}

QStringList WindowHarness::storedRow(const QString& company, const QString& taxCode16,
                                     const QString& seq) {
    const auto rows = archive.rows(
        QStringLiteral("SELECT SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10 "
                       "FROM QUADROSX WHERE CODAZI = ? AND CFD = ? AND SEQ = ?"),
        {company, taxCode16, seq});
    return rows.isEmpty() ? QStringList() : rows.first();
}

QList<QStringList> WindowHarness::storedSchedule(const QString& company, const QString& taxCode16) {
    return archive.rows(
        QStringLiteral("SELECT SEQ, SX_1, SX_2, SX_3, SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10 "
                       "FROM QUADROSX WHERE CODAZI = ? AND CFD = ? ORDER BY SEQ"),
        {company, taxCode16});
}

QString WindowHarness::frontIndicator(const QString& company) {
    const auto rows =
        archive.rows(QStringLiteral("SELECT FR_46 FROM FRONTESPIZIO WHERE CODAZI = ?"), {company});
    return rows.isEmpty() ? QStringLiteral("(none)") : rows.first().first();
}

void WindowHarness::storeRows(const QString& company, const QString& taxCode16,
                              const QList<QVariantList>& rows) {
    for (const QVariantList& row : rows)
        archive.exec(QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, "
                                    "SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) VALUES "
                                    "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     QVariantList{company, taxCode16} + row);
}

QString WindowHarness::seq(int i) {
    return QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
}

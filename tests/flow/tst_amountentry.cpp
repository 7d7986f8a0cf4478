#include "windowharness.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class AmountEntryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;

    QLineEdit* box(int index) { return h->window->Text1(index); }
    // Moves the focus away from the box, as a click elsewhere does.
    void leave() { h->window->Cmdtotali->setFocus(Qt::MouseFocusReason); }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant("001", "01234567890", QVariant(), QVariant(), "ACME", QVariant());
        h->start();
        h->open("001");
        h->window->activateWindow();
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void typedKeysEnterAtTheRightEdge_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("amount") << "123,45"
                                << "        123,45"
                                << "123,45";
        QTest::newRow("third decimal refused") << "123,456"
                                               << "        123,45"
                                               << "123,45";
        QTest::newRow("period is a comma") << "1.5"
                                           << "           1,5"
                                           << "1,50";
        QTest::newRow("comma first") << ",5"
                                     << "            ,5"
                                     << "0,50";
        QTest::newRow("lone zero replaced") << "05"
                                            << "             5"
                                            << "5,00";
        QTest::newRow("trailing zero kept") << "50"
                                            << "            50"
                                            << "50,00";
        QTest::newRow("backspace resets") << "1234\b"
                                          << "             0"
                                          << "0,00";
        QTest::newRow("backspace then digit") << "1234\b7"
                                              << "             7"
                                              << "7,00";
        QTest::newRow("minus then digit") << "-7"
                                          << "            -7"
                                          << "-7,00";
        QTest::newRow("plus replaced by minus") << "+-"
                                                << "             -"
                                                << "             -";
        QTest::newRow("minus after digit refused") << "5-"
                                                   << "             5"
                                                   << "5,00";
        QTest::newRow("eleventh digit refused") << "12345678901"
                                                << "    1234567890"
                                                << "1234567890,00";
        QTest::newRow("letters refused") << "1a2b"
                                         << "            12"
                                         << "12,00";
        QTest::newRow("second comma refused") << "1,,2"
                                              << "           1,2"
                                              << "1,20";
    }
    void typedKeysEnterAtTheRightEdge() {
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        for (int index : {1, 4}) {
            h->type(box(index), QStringLiteral("\b") + keys);
            QCOMPARE(box(index)->text(), typed);
            QCOMPARE(box(index)->cursorPosition(), typed.size());
            leave();
            QCOMPARE(box(index)->text(), shown);
        }
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
        QCOMPARE(h->window->FLAGVARIAZRIGO, qint16(0));
    }

    void aShownAmountTakesOnlyBackspace() {
        h->type(box(2), QStringLiteral("\b12,5"));
        leave();
        QCOMPARE(box(2)->text(), QStringLiteral("12,50"));
        h->type(box(2), QStringLiteral("7"));
        QCOMPARE(box(2)->text(), QStringLiteral("12,50"));
        h->type(box(2), QStringLiteral("\b9"));
        QCOMPARE(box(2)->text(), QStringLiteral("             9"));
    }

    void gainingTheFocusPutsTheCaretAtTheEnd() {
        QTest::keyClick(box(1), Qt::Key_Tab); // to "Ricalcola totali"
        QTest::keyClick(h->window->Cmdtotali, Qt::Key_Tab);
        QCOMPARE(h->window->focusWidget(), box(2));
        QCOMPARE(box(2)->selectedText(), QString());
        QCOMPARE(box(2)->cursorPosition(), box(2)->text().size());
    }

    void everyKeyMarksTheSchedule_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("refused letter") << int(Qt::Key_X) << Qt::KeyboardModifiers();
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    }
    void everyKeyMarksTheSchedule() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        box(3)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box(3), Qt::Key(key), modifiers);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
        QCOMPARE(box(3)->text(), QString()); // the shown 0,00 was cleared, the key swallowed
    }

    void keysWithoutCharacterAreTheBoxsOwn() {
        h->type(box(1), QStringLiteral("\b123"));
        h->mod.FLAGVARIAZIONI = 0;
        QTest::keyClick(box(1), Qt::Key_Home);
        // Delete as X11 sends it, with the character 127.
        QTest::sendKeyEvent(QTest::Click, box(1), Qt::Key_Delete, QStringLiteral("\x7f"), {});
        QCOMPARE(box(1)->text(), QStringLiteral("          123"));
        QCOMPARE(box(1)->cursorPosition(), 0);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        QTest::keyClick(box(1), Qt::Key_Left);
        QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(0));
        QTest::keyClick(box(1), Qt::Key_4);
        QCOMPARE(box(1)->text(), QStringLiteral("          1234"));
    }

    void pastedTextStaysAsPasted() {
        box(5)->setFocus(Qt::MouseFocusReason);
        box(5)->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("1,,2x"));
        box(5)->paste(); // the context menu's Paste
        QCOMPARE(box(5)->text(), QStringLiteral("1,,2x"));
        leave();
        QCOMPARE(box(5)->text(), QStringLiteral("1,,2x"));
    }

    void leavingAnEmptiedBoxShowsZero() {
        box(6)->setFocus(Qt::MouseFocusReason);
        box(6)->clear();
        leave();
        QCOMPARE(box(6)->text(), QStringLiteral("0,00"));
    }

    void aYellowBoxTurnsWhiteWhenItChanges() {
        QPalette yellow = box(2)->palette();
        yellow.setColor(QPalette::Base, QColor(255, 255, 0));
        box(2)->setPalette(yellow);
        h->type(box(2), QStringLiteral("\b"));
        QCOMPARE(box(2)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(box(2)->palette().color(QPalette::Text), QColor(Qt::black));
    }

    void checkBoxesMarkTheSchedule() {
        for (int index : {8, 9, 10}) {
            h->mod.FLAGVARIAZIONI = 0;
            QTest::mouseClick(h->window->Check1(index), Qt::LeftButton);
            QCOMPARE(h->mod.FLAGVARIAZIONI, qint16(1));
        }
    }
};

QTEST_MAIN(AmountEntryTest)
#include "tst_amountentry.moc"

// The window as a user sees it: no control cut off by its container or covering another, Tab
// going through each pane in order, questions answered with Italian buttons.
#include "windowharness.h"

#include "app/qtmessageboxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

class TestWindowLayout : public QObject {
    Q_OBJECT

  private slots:
    void nothingIsCutOffOrCovered_data() {
        QTest::addColumn<bool>("rowOpen"); // else the declarant list
        QTest::newRow("list") << false;
        QTest::newRow("row open") << true;
    }
    void nothingIsCutOffOrCovered() {
        QFETCH(bool, rowOpen);
        WindowHarness h;
        h.archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
        h.start();
        if (rowOpen) {
            h.open("001");
            h.openRegionRow(0);
        }
        for (const QWidget* widget : h.window->centralWidget()->findChildren<QWidget*>()) {
            const QWidget* parent = widget->parentWidget();
            if (!widget->isVisible() || widget->objectName().isEmpty() ||
                widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            const QString name = widget->objectName();
            QVERIFY2(parent->rect().contains(widget->geometry()), qPrintable(name + " cut off"));
            for (const QWidget* other :
                 parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (other != widget && !other->objectName().startsWith(QLatin1String("Shape")) &&
                    !name.startsWith(QLatin1String("Shape")) && other->isVisible())
                    // Neighbours may share their borders, a few pixels, as the form was drawn.
                    QVERIFY2(
                        (widget->geometry() & other->geometry().adjusted(3, 3, -3, -3)).isEmpty(),
                        qPrintable(name + " covers " + other->objectName()));
        }
    }

    void tabGoesThroughEachPaneInOrder_data() {
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("order");
        QTest::newRow("selection") << "FrmSelezione_0"
                                   << "List1 cmduscita_1 Option2_0 Option2_1 Option2_2";
        QTest::newRow("schedule")
            << "Frmmoduli_0"
            << "Text1_1 Cmdtotali Text1_2 Text1_3 Text1_4 Text1_5 Text1_6 Text1_7 List2 cmdelimina "
               "Cmdannulla cmdconferma Text1_12 Text1_13 Text1_14 Text1_15 Text1_16 Text1_17 "
               "Check1_8 Check1_9 Check1_10 CmdStLista cmdselprec_1 cmduscita_0 cmdmemorizza";
    }
    void tabGoesThroughEachPaneInOrder() {
        QFETCH(QString, pane);
        QFETCH(QString, order);
        WindowHarness h;
        const QWidget* container = h.window->findChild<QWidget*>(pane);
        QWidget* first = h.window->findChild<QWidget*>(order.section(' ', 0, 0));
        QVERIFY(container && first);
        QStringList found;
        QWidget* widget = first;
        do {
            if (container->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
                found << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(found.join(' '), order);
    }

    // The buttons of a real question read in Italian on any desktop; "Annulla" is pressed.
    void questionButtonsAreItalian() {
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QAbstractButton* chosen = box->buttons().constFirst();
            for (QAbstractButton* button : box->buttons()) {
                shown << button->text();
                if (button->text() == QStringLiteral("Annulla"))
                    chosen = button;
            }
            QTimer::singleShot(0, chosen, &QAbstractButton::click);
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(QStringLiteral("Salvare ?"), 35, QStringLiteral("quadrosx")),
                 int(MessageBoxes::Cancel));
        shown.sort();
        QCOMPARE(shown.join(' '), QStringLiteral("Annulla No Sì"));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"

// The window as a user sees it: no control cut off by its container or covering another, every
// caption and the widest amount readable in full, and Tab going through each pane in order.
#include "windowharness.h"

#include "app/qtmessageboxes.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {

// The text a control shows and whether it wraps; empty for controls without one.
std::pair<QString, bool> caption(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return {label->text(), label->wordWrap()};
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return {button->text(), true}; // graphical buttons wrap their caption
    if (qobject_cast<const QLineEdit*>(widget))
        return {QStringLiteral("+1234567890,99"), false};
    return {};
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { // as the program does at start-up
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Liberation Sans"));
    }
    void nothingIsCutOffOrCovered_data() {
        QTest::addColumn<int>("step"); // 0 the list, 1 a declarant's schedule, 2 a row open
        QTest::newRow("list") << 0;
        QTest::newRow("schedule") << 1;
        QTest::newRow("row open") << 2;
    }
    void nothingIsCutOffOrCovered() {
        QFETCH(int, step);
        WindowHarness h;
        h.archive.addDeclarant("001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "", "M");
        h.start();
        if (step > 0)
            h.open("001");
        if (step > 1)
            h.openRegionRow(0);
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
            const auto [text, wraps] = caption(widget);
            const QRect room = widget->contentsRect();
            const int flags = Qt::AlignLeft | Qt::AlignTop | (wraps ? Qt::TextWordWrap : 0);
            // The descenders of a wrapped caption's last line may be cut, as the form was drawn.
            const QRect needed = widget->fontMetrics().boundingRect(room, flags, text);
            QVERIFY2(text.isEmpty() ||
                         (needed.width() <= room.width() &&
                          needed.height() <= widget->height() + widget->fontMetrics().descent()),
                     qPrintable(name + " does not show \"" + text + "\" in full"));
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

// The window as a user sees it: no control cut off by its container or covering another, Tab
// going through each pane in order, questions answered with Italian buttons.
#include "windowharness.h"

#include "app/qtmessageboxes.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProxyStyle>
#include <QtTest>

namespace {

// A desktop theme that lays out the buttons of dialogs in its own order.
struct DesktopButtonOrder : QProxyStyle {
    explicit DesktopButtonOrder(int layout) : layout(layout) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonLayout ? layout
                                             : QProxyStyle::styleHint(hint, option, widget, data);
    }
    const int layout;
};

} // namespace

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

    // A real question answering the keys of the old boxes, its buttons in Italian and in the
    // same order on any desktop: Escape and the close box leave a Yes/No question open.
    void questionsAnswerTheirKeys_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("desktop"); // the order of buttons the desktop's theme asks for
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("answer");
        using B = QDialogButtonBox;
        const struct {
            const char* name;
            int style, desktop;
            const char* keys;
            int answer;
        } cases[] = {{"Yes/No ignores Escape and closing, S", 36, B::GnomeLayout, "Esc close S", 6},
                     {"Yes/No, Alt+N", 36, B::MacLayout, "Esc Alt+N", 7},
                     {"Yes/No/Cancel, Escape", 35, B::GnomeLayout, "Esc", 2},
                     {"Yes/No/Cancel, S", 35, B::KdeLayout, "S", 6},
                     {"OK, Escape", 64, B::WinLayout, "Esc", 1},
                     {"Salvare ?, Enter", 35, B::KdeLayout, "Enter", 6},
                     {"Salvare ?, keypad Enter", 35, B::MacLayout, "Num+Enter", 6},
                     {"Yes/No critical, Enter", 20, B::WinLayout, "Enter", 6},
                     {"Yes/No warning, Return", 52, B::GnomeLayout, "Return", 6},
                     {"OK, Return", 0, B::GnomeLayout, "Return", 1}};
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.style << c.desktop << c.keys << c.answer;
    }
    void questionsAnswerTheirKeys() {
        QFETCH(int, style);
        QFETCH(int, desktop);
        QFETCH(QString, keys);
        QFETCH(int, answer);
        QApplication::setStyle(new DesktopButtonOrder(desktop));
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QApplication::setActiveWindow(box); // its shortcuts work in the active window only
            QList<QAbstractButton*> row = box->buttons();
            std::sort(row.begin(), row.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
            for (QAbstractButton* button : row)
                shown << button->text().remove('&');
            for (const QString& key : keys.split(' '))
                if (key == "close")
                    box->close();
                else // to the button with the focus, as a keyboard sends it
                    QTest::keySequence(box->focusWidget(), QKeySequence(key));
            // A letter presses its button the way a click looks, a moment later.
            if (!QTest::qWaitFor([box] { return !box->isVisible(); }, 1000)) {
                shown << "open";
                box->buttons().constLast()->click();
            }
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.show(QStringLiteral("Salvare ?"), style, QStringLiteral("quadrosx")),
                 answer);
        QCOMPARE(shown.join(' '),
                 QStringList({"OK", "", "", "Sì No Annulla", "Sì No"}).at(style & 7));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"

#include "windowharness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

// A write refused half-way through a storing leaves the database as it was.

namespace {

const QString company = QStringLiteral("001");
const QString taxCode = QStringLiteral("RSSMRA80A01H501U");

} // namespace

class TestStoring : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowHarness> h;
    QUADROSX* w() { return h->window.get(); }
    QList<QStringList> everything() {
        return h->archive.rows(QStringLiteral("SELECT * FROM QUADROSX ORDER BY SEQ")) +
               h->archive.rows(QStringLiteral("SELECT * FROM FRONTESPIZIO"));
    }

  private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        h->archive.addDeclarant(company, taxCode, "ROSSI", "MARIO", "", "M");
        h->archive.exec(QStringLiteral("UPDATE FRONTESPIZIO SET FR_46 = '0'"));
    }
    void cleanup() {
        QCOMPARE(h->boxes.unexpected, 0);
        h.reset();
    }

    void aRefusedWriteLeavesTheDatabaseAsItWas_data() {
        QTest::addColumn<QString>("refused");
        QTest::newRow("a middle row") << "UPDATE ON QUADROSX WHEN OLD.SEQ = '016'";
        QTest::newRow("front-page indicator") << "UPDATE OF FR_46 ON FRONTESPIZIO";
    }
    void aRefusedWriteLeavesTheDatabaseAsItWas() {
        QFETCH(QString, refused);
        h->archive.exec("CREATE TRIGGER refuse BEFORE " + refused +
                        " BEGIN SELECT RAISE(ABORT, 'scrittura rifiutata'); END");
        h->startAndChoose(company);
        h->typeBoxes(1, {"5", "", "", "5"});
        const QList<QStringList> before = everything();
        h->boxes.answer({MessageBoxes::Ok});
        h->click(w()->cmdmemorizza);
        QCOMPARE(h->boxes.boxes.size(), 1);
        QVERIFY2(h->boxes.boxes.first().text.contains(QLatin1String("scrittura rifiutata")),
                 qPrintable(h->boxes.boxes.first().text));
        QCOMPARE(h->platform.endings, QList<int>{1});
        QCOMPARE(everything(), before);
    }
};

QTEST_MAIN(TestStoring)
#include "tst_storing.moc"

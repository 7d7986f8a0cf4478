#include "checks/columnsums.h"
#include "checks/rowchecks.h"

#include <QTest>

using namespace RowChecks;

class TestChecks : public QObject {
    Q_OBJECT

  private slots:
    // Boxes 1 to 6 of a region row; the automatic box 6; the boxes rules 1, 2 and 3 mark.
    void rowRules_data() {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("box6");
        QTest::addColumn<QString>("marked");
        const char* cases[][4] = {
            {"all zero", "0 0 0 0 0 0", "0,00", ""},
            {"box 2 over box 1 breaks all three", "100 150 0 0 0 0", "-50,00", "2 5 6"},
            {"box 2 equal to box 1", "100 100 0 0 0 0", "0,00", ""},
            {"box 2 a cent over box 1", "100 100,01 1 0 0 0", "0,99", "2"},
            {"box 5 at its bound", "100 20 5 0 85 0", "0,00", ""},
            {"box 5 a cent over", "100 20 5 0 85,01 0", "-0,01", "5 6"},
            {"box 6 at its bound", "100 20 5 0 30 55", "55,00", ""},
            {"box 6 a cent over", "100 20 5 0 30 55,01", "55,00", "5 6"},
            {"bounds in whole cents", "0,3 0,1 0 0 0,2 0", "0,00", ""},
            {"box 4 only in box 6", "1200,5 200 0 300 450 250,5", "250,50", ""},
            {"lone signs count 0", "- + - 0 - +", "0,00", ""}};
        for (const auto& c : cases)
            QTest::newRow(c[0]) << c[1] << c[2] << c[3];
    }
    void rowRules() {
        QFETCH(QString, boxes);
        QFETCH(QString, box6);
        QFETCH(QString, marked);
        const QStringList texts = boxes.split(' ');
        const BoxValues a = boxValues([&texts](int box) { return texts.at(box - 1); });
        QCOMPARE(automaticBox6(a), box6);
        QStringList found;
        for (const Rule rule : rules)
            if (isBroken(rule, a))
                found << QString::number(boxOf(rule));
        QCOMPARE(found.join(' '), marked);
    }

    // Cells "row,column=text" ("0" elsewhere); SX4 boxes 1 to 6 as shown; the boxes marked as
    // off their column; the presence total with SX1 "1,5" and two flags ticked.
    void columns_data() {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("sx4");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<double>("presence");
        const struct {
            const char *name, *cells, *sx4, *marked;
            double presence;
        } cases[] = {{"empty schedule", "", "0 0 0 0 0 0", "", 3.5},
                     {"first and last region row", "2,2=10,5 31,2=-0,5 31,7=7 2,4=0,1 31,4=0,2",
                      "10,00 0 0,30 0 0 7,00", "", 38.1},
                     {"summary row left out, a cent off", "1,2=99 5,3=4 6,5=12a", "0 3,99 0 0 0 0",
                      "2", 11.49},
                     {"zero column not compared", "3,6=-5 4,6=5", "8 0 0 0 1 0", "", 12.5}};
        for (const auto& c : cases)
            QTest::newRow(c.name) << c.cells << c.sx4 << c.marked << c.presence;
    }
    void columns() {
        QFETCH(QString, cells);
        QFETCH(QString, sx4);
        QFETCH(QString, marked);
        QFETCH(double, presence);
        const ColumnSums sums = columnSums([&cells](int row, int column) {
            const QString at = QStringLiteral("%1,%2=").arg(row).arg(column);
            for (const QString& cell : cells.split(' '))
                if (cell.startsWith(at))
                    return cell.mid(at.size());
            return QStringLiteral("0");
        });
        const QStringList boxes = QStringList{"1,5"} + sx4.split(' ');
        QStringList found;
        for (const int k : differingSx4Boxes(sums, [&boxes](int k) { return boxes.at(k); }))
            found << QString::number(k);
        QCOMPARE(found.join(' '), marked);
        QCOMPARE(presenceTotal(
                     sums, [&boxes](int i) { return boxes.at(i - 1); }, 2),
                 presence);
    }
};

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"

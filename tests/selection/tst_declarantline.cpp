#include "selection/declarantline.h"

#include <QTest>

class TestDeclarantLine : public QObject {
    Q_OBJECT

  private slots:
    void line_data() {
        QTest::addColumn<QStringList>("fields"); // CODAZI, CFD, FR_1, FR_2, FR_3, fr_14
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("taxKey"); // the rows' key cut back out of the line
        QTest::addColumn<QString>("name");   // the caption over the schedule

        const QString n; // Null
        QTest::newRow("person by surname and first name, FR_3 filled")
            << QStringList{"001", "RSSMRA80A01H501U", "ROSSI", "MARIO", "ROSSI SNC", "M"}
            << "001 RSSMRA80A01H501U ROSSI MARIO"
            << "RSSMRA80A01H501U"
            << " ROSSI MARIO";
        QTest::newRow("blank fr_14 takes FR_3, 11-character tax code padded")
            << QStringList{"002", "01234567890", "ROSSI", "MARIO", "ALFA SRL", "   "}
            << "002 01234567890      ALFA SRL"
            << "01234567890     "
            << " ALFA SRL";
        QTest::newRow("Null fr_14 takes FR_3 with its blanks")
            << QStringList{"003", "01234567890", n, n, "  GAMMA  ", n}
            << "003 01234567890        GAMMA  "
            << "01234567890     "
            << " GAMMA";
        QTest::newRow("tax code trimmed and cut, names kept untrimmed")
            << QStringList{"004", "  ABCDEFGHIJKLMNOPQR ", "ROSSI ", " MARIO", n, "F"}
            << "004 ABCDEFGHIJKLMNOP ROSSI   MARIO"
            << "ABCDEFGHIJKLMNOP"
            << " ROSSI   MARIO";
        QTest::newRow("name over 59 characters cut in the caption only")
            << QStringList{"008", "X", n, n, QString(30, 'A') + QString(40, 'B'), n}
            << "008 X                " + QString(30, 'A') + QString(40, 'B') << "X               "
            << " " + QString(30, 'A') + QString(29, 'B');
    }
    void line() {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        QFETCH(QString, taxKey);
        QFETCH(QString, name);
        const QString shown =
            declarantLine(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
        QCOMPARE(shown, line);
        QCOMPARE(companyCodeOfLine(shown), fields[0]);
        QCOMPARE(taxCodeOfLine(shown), taxKey);
        QCOMPARE(declarantHeader(shown).name, name);
    }
};

QTEST_GUILESS_MAIN(TestDeclarantLine)
#include "tst_declarantline.moc"

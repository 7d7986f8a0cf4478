#include "selection/declarantline.h"

#include <QTest>

class TestDeclarantLine : public QObject {
    Q_OBJECT

  private slots:
    void lineOfDeclarant_data();
    void lineOfDeclarant();
    void keysAndHeaderOfLine_data();
    void keysAndHeaderOfLine();
    void keysOfShortLineAreEmptyTextNotNull();
};

void TestDeclarantLine::lineOfDeclarant_data() {
    QTest::addColumn<QString>("codazi");
    QTest::addColumn<QString>("cfd");
    QTest::addColumn<QString>("fr1");
    QTest::addColumn<QString>("fr2");
    QTest::addColumn<QString>("fr3");
    QTest::addColumn<QString>("fr14");
    QTest::addColumn<QString>("line");

    QTest::newRow("person named by surname and first name, even with FR_3 filled")
        << "001"
        << "RSSMRA80A01H501U"
        << "ROSSI"
        << "MARIO"
        << "ROSSI MARIO SNC"
        << "M"
        << "001 RSSMRA80A01H501U ROSSI MARIO";
    QTest::newRow("blank fr_14 takes FR_3") << "002"
                                            << "01234567890"
                                            << "ROSSI"
                                            << "MARIO"
                                            << "ALFA SRL"
                                            << "   "
                                            << "002 01234567890      ALFA SRL";
    QTest::newRow("Null fr_14 takes FR_3") << "003"
                                           << "01234567890" << QString() << QString() << "BETA SPA"
                                           << QString() << "003 01234567890      BETA SPA";
    QTest::newRow("tax code trimmed and cut to 16, names kept untrimmed")
        << "004"
        << "  ABCDEFGHIJKLMNOPQR "
        << "ROSSI "
        << " MARIO" << QString() << "F"
        << "004 ABCDEFGHIJKLMNOP ROSSI   MARIO";
    QTest::newRow("FR_3 kept with its blanks")
        << "005"
        << "01234567890" << QString() << QString() << "  GAMMA  "
        << ""
        << "005 01234567890        GAMMA  ";
    QTest::newRow("quote in a name") << "006"
                                     << "DNGLCU70B02F205X"
                                     << "D'ANGELO"
                                     << "LUCA" << QString() << "M"
                                     << "006 DNGLCU70B02F205X D'ANGELO LUCA";
    QTest::newRow("person with Null names keeps the joining blank")
        << "007"
        << "01234567890" << QString() << QString() << "DELTA"
        << "M"
        << "007 01234567890       ";
    QTest::newRow("Null everywhere: blank company code and tax code")
        << QString() << QString() << QString() << QString() << QString() << QString()
        << QString(18, QLatin1Char(' '));
    QTest::newRow("long name listed whole")
        << "008"
        << "01234567890" << QString() << QString()
        << QString(30, QLatin1Char('A')) + QString(40, QLatin1Char('B')) << QString()
        << "008 01234567890      " + QString(30, QLatin1Char('A')) + QString(40, QLatin1Char('B'));
}

void TestDeclarantLine::lineOfDeclarant() {
    QFETCH(QString, codazi);
    QFETCH(QString, cfd);
    QFETCH(QString, fr1);
    QFETCH(QString, fr2);
    QFETCH(QString, fr3);
    QFETCH(QString, fr14);
    QFETCH(QString, line);
    QCOMPARE(declarantLine(codazi, cfd, fr1, fr2, fr3, fr14), line);
}

void TestDeclarantLine::keysAndHeaderOfLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("taxCode");
    QTest::addColumn<QString>("nameCaption");
    QTest::addColumn<QString>("taxCaption");
    QTest::addColumn<QString>("companyCaption");

    QTest::newRow("16-character tax code") << "001 RSSMRA80A01H501U ROSSI MARIO"
                                           << "001"
                                           << "RSSMRA80A01H501U"
                                           << " ROSSI MARIO"
                                           << " RSSMRA80A01H501U"
                                           << " 001";
    QTest::newRow("11-character tax code keeps its 5 trailing blanks in the key")
        << "002 01234567890      ALFA SRL"
        << "002"
        << "01234567890     "
        << " ALFA SRL"
        << " 01234567890"
        << " 002";
    QTest::newRow("name caption trimmed at both ends") << "005 01234567890        GAMMA  "
                                                       << "005"
                                                       << "01234567890     "
                                                       << " GAMMA"
                                                       << " 01234567890"
                                                       << " 005";
    QTest::newRow("name longer than 59 characters cut in the caption")
        << "008 01234567890      " + QString(30, QLatin1Char('A')) + QString(40, QLatin1Char('B'))
        << "008"
        << "01234567890     "
        << " " + QString(30, QLatin1Char('A')) + QString(29, QLatin1Char('B')) << " 01234567890"
        << " 008";
    QTest::newRow("blank line of a declarant with Null fields")
        << QString(18, QLatin1Char(' ')) << "   " << QString(14, QLatin1Char(' ')) << " "
        << " "
        << " ";
    QTest::newRow("line shorter than the tax code") << "009 ABC"
                                                    << "009"
                                                    << "ABC"
                                                    << " "
                                                    << " ABC"
                                                    << " 009";
}

void TestDeclarantLine::keysAndHeaderOfLine() {
    QFETCH(QString, line);
    QFETCH(QString, company);
    QFETCH(QString, taxCode);
    QFETCH(QString, nameCaption);
    QFETCH(QString, taxCaption);
    QFETCH(QString, companyCaption);

    QCOMPARE(companyCodeOfLine(line), company);
    QCOMPARE(taxCodeOfLine(line), taxCode);
    const DeclarantHeader header = declarantHeader(line);
    QCOMPARE(header.name, nameCaption);
    QCOMPARE(header.taxCode, taxCaption);
    QCOMPARE(header.company, companyCaption);
}

void TestDeclarantLine::keysOfShortLineAreEmptyTextNotNull() {
    // A null text would be bound as Null and match no declarant's row.
    QVERIFY(!taxCodeOfLine(QStringLiteral("001")).isNull());
    QVERIFY(!companyCodeOfLine(QString()).isNull());
    QCOMPARE(taxCodeOfLine(QStringLiteral("001")), QString(""));
}

QTEST_GUILESS_MAIN(TestDeclarantLine)
#include "tst_declarantline.moc"

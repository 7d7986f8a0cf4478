#include "benchsupport.h"
#include "data/keyforms.h"
#include "figures.h"
#include "report/controllist.h"
#include "report/recordingprintersink.h"
#include "report/storedrecords.h"

#include <ctime>
#include <functional>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSqlRecord>
#include <QThread>
#include <unistd.h>

// The work without a window on a big front page, run as the real program, against the bare
// work: reading the same rows, and painting the same lines.

namespace {

// Every declarant's 31 rows, each region row within the row rules and the SX4 boxes holding
// the column sums; one declarant in ten with SX1 over SX4 box 3.
void addSchedules(const QString& path, int declarants) {
    const QStringList region{"0", "1000,00", "100,00", "50,00", "200,00", "300,00", "400,00"};
    const QStringList summary{"1000,00", "30000,00", "3000,00", "1500,00",
                              "6000,00", "9000,00",  "12000,00"};
    Bench::Connection connection(path);
    QSqlDatabase db = connection.db();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO QUADROSX VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                  "?, ?)"));
    for (int i = 0; i < declarants; ++i) {
        for (int row = 1; row <= 31; ++row) {
            insert.addBindValue(Bench::companyCode(i));
            insert.addBindValue(QStringLiteral("CF%1").arg(i, 14, 10, QLatin1Char('0')));
            insert.addBindValue(QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0')));
            for (int j = 1; j <= 7; ++j)
                insert.addBindValue(row > 1                 ? region.at(j - 1)
                                    : j == 1 && i % 10 == 0 ? QStringLiteral("99999,00")
                                                            : summary.at(j - 1));
            for (int flag = 8; flag <= 10; ++flag)
                insert.addBindValue(QStringLiteral("0"));
            insert.exec();
        }
    }
    db.commit();
}

// The same queries, every field of every row read as text, nothing else.
void bareRead(const QString& path) {
    Bench::Connection connection(path);
    QSqlQuery list(connection.db());
    list.exec(QStringLiteral("SELECT CODAZI, CFD FROM frontespizio order by codazi, cfd"));
    QList<std::pair<QString, QString>> keys;
    while (list.next())
        keys.append({list.value(0).toString(), list.value(1).toString()});
    QSqlQuery rows(connection.db());
    rows.setForwardOnly(true);
    rows.prepare(ControlList::storedFieldsQuery());
    for (const auto& [company, taxCode] : keys) {
        rows.bindValue(0, company);
        const QVariantList forms = keyForms(taxCode);
        rows.bindValue(1, forms.at(0));
        rows.bindValue(2, forms.at(1));
        rows.exec();
        const int fields = rows.record().count();
        QStringList texts;
        while (rows.next())
            for (int i = 0; i < fields; ++i)
                texts << rows.value(i).toString();
    }
}

// One declarant's control list as the layout gives it, painted `declarants` times.
void barePaint(const QString& file, int declarants) {
    RecordingPrinterSink recording;
    QList<ControlList::Record> records;
    for (int row = 1; row <= 31; ++row)
        records.append({QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0')),
                        {{{},
                          "0",
                          "3030,00",
                          "3060,00",
                          "3090,00",
                          "3120,00",
                          "3150,00",
                          "3180,00",
                          "0",
                          "0",
                          "0"}}});
    ControlList::print(recording, records, {" 000", " DITTA 0 S.R.L.", " CF00000000000000"});
    const QStringList lines = recording.lines();
    QPdfWriter writer(file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &writer);
    for (int i = 0; i < declarants; ++i) {
        if (i > 0)
            writer.newPage();
        double y = metrics.ascent();
        for (const QString& line : lines) {
            painter.drawText(QPointF(0, y), line);
            y += metrics.lineSpacing();
        }
    }
}

} // namespace

QList<Figure> Measure::everyDeclarant(int declarants) {
    WindowHarness h; // the archive, and the settings that point at it
    Bench::addDeclarants(h.archive.yearPath(), declarants);
    addSchedules(h.archive.yearPath(), declarants);
    const QString pdf = h.archive.programs() + QStringLiteral("/liste.pdf");

    const Bench::ProcessRun checking =
        Bench::runProgram(QStringLiteral(QUADROSX_EXE), {QStringLiteral("--check")});
    Figure check{QStringLiteral("check of %1 schedules (process)").arg(declarants)};
    check.value = checking.ms;
    check.bareWhat = QStringLiteral("the same queries, every field read as text");
    check.bare = Bench::medianMs(1, [&] { bareRead(h.archive.yearPath()); });
    check.target = 1000;
    Figure checkCpu{QStringLiteral("the same, processor time")};
    checkCpu.value = checking.cpuMs;
    checkCpu.bareWhat = check.bareWhat;
    checkCpu.bare = Bench::cpuMs([&] { bareRead(h.archive.yearPath()); });
    checkCpu.target = 1000;

    const Bench::ProcessRun lists =
        Bench::runProgram(QStringLiteral(QUADROSX_EXE), {QStringLiteral("--control-lists"), pdf});
    Figure listing{QStringLiteral("%1 control lists into one PDF (process)").arg(declarants)};
    listing.value = lists.ms;
    listing.bareWhat = QStringLiteral("the same pages painted");
    listing.bare = Bench::medianMs(1, [&] { barePaint(pdf, declarants); });
    listing.target = 20000;
    Figure listingCpu{QStringLiteral("the same, processor time")};
    listingCpu.value = lists.cpuMs;
    listingCpu.bareWhat = listing.bareWhat;
    listingCpu.bare = Bench::cpuMs([&] { barePaint(pdf, declarants); });
    listingCpu.target = 20000;

    Figure memory{QStringLiteral("peak memory, %1 control lists").arg(declarants)};
    memory.unit = QStringLiteral("MB");
    memory.value = lists.peakMb;
    memory.target = 150;
    return {check, checkCpu, listing, listingCpu, memory};
}

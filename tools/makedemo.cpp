// Makes the archives folder of a demo year: the empty template S774XXXX.MDB from the schema,
// and the year's database S7702004.MDB, a copy of the template with sample declarants in
// FRONTESPIZIO and sample schedules in QUADROSX.
//
// Usage: makedemo [--schema FILE] [--declarants N] <archives folder>
//   --schema FILE    the SQL that makes the tables; by default data/schema.sql of the source
//                    tree named by QUADROSX_SOURCE_DIR, or found above this program's folder.
//   --declarants N   N generated declarants instead of the hand-made ones (benchmarks).
//   --access         both files as the suite's Access (Jet 4) files instead, the amounts of
//                    QUADROSX as Currency: the folder of an office still on the suite's files.
//
// Existing files are never overwritten: when either database is already there, nothing is
// written and the exit code is 1.

#include "app/names.h"
#include "tools/jet4/jet4writer.h"

#include <array>
#include <cstdlib>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>
#include <QUuid>
#include <QVariant>
#include <vector>

namespace {

struct Failure {
    QString message;
};

using Cents = qint64;

// An amount as the program stores it: comma before two decimals. Dotted puts a dot between
// thousands, as a user may type it.
QString amountText(Cents cents, bool dotted = false) {
    const Cents magnitude = std::llabs(cents);
    QString whole = QString::number(magnitude / 100);
    if (dotted)
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, QLatin1Char('.'));
    return (cents < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') +
           QString::number(magnitude % 100).rightJustified(2, QLatin1Char('0'));
}

// The tax code as every key holds it: trimmed, then blanks up to 16 characters.
QString taxKey(const QString& code) {
    return code.trimmed().leftJustified(16, QLatin1Char(' '), true);
}

QString rowKey(int row) {
    return QString::number(row).rightJustified(3, QLatin1Char('0'));
}

QVariant null() {
    return QVariant();
}

struct Declarant {
    QString codazi;
    QString cfd;
    QVariant fr1, fr2, fr3, fr14, fr46;
};

// A declarant's Schedule SX as stored: cells[row][field], row 1-31 for SEQ "001"-"031",
// field 1-10 for SX_1-SX_10. A null QVariant is stored as Null.
struct Schedule {
    std::array<std::array<QVariant, 11>, 32> cells;
};

// A region row (row 2-31) with boxes 1 to 5; box 6 is the refund left over.
struct RegionLine {
    int row;
    Cents box1, box2, box3, box4, box5;
};

// Every region row not listed holds "0"; the SX4 boxes hold the column sums.
Schedule consistentSchedule(const std::vector<RegionLine>& lines, Cents sx1, bool dotted = false) {
    Schedule schedule;
    for (auto& row : schedule.cells)
        row.fill(QStringLiteral("0"));
    std::array<Cents, 6> sums{};
    for (const RegionLine& line : lines) {
        const std::array<Cents, 6> boxes{
            line.box1, line.box2, line.box3,
            line.box4, line.box5, line.box1 - line.box2 + line.box3 - line.box4 - line.box5};
        for (int k = 0; k < 6; ++k) {
            schedule.cells[line.row][k + 2] = amountText(boxes[k], dotted);
            sums[k] += boxes[k];
        }
    }
    schedule.cells[1][1] = amountText(sx1, dotted);
    for (int k = 0; k < 6; ++k)
        schedule.cells[1][k + 2] = amountText(sums[k], dotted);
    return schedule;
}

std::vector<int> allRows() {
    std::vector<int> rows;
    for (int row = 1; row <= 31; ++row)
        rows.push_back(row);
    return rows;
}

class Connection {
  public:
    explicit Connection(const QString& path)
        : name_(QStringLiteral("makedemo-") + QUuid::createUuid().toString()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            throw Failure{QStringLiteral("cannot open %1: %2").arg(path, db.lastError().text())};
    }
    ~Connection() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

    void execute(const QString& statement) const {
        QSqlQuery query(db());
        if (!query.exec(statement))
            throw Failure{QStringLiteral("%1\n%2").arg(statement, query.lastError().text())};
    }

  private:
    QString name_;
};

class DemoWriter {
  public:
    explicit DemoWriter(const Connection& connection)
        : declarant_(connection.db()), row_(connection.db()) {
        prepare(declarant_, QStringLiteral("INSERT INTO FRONTESPIZIO "
                                           "(CODAZI, CFD, FR_1, FR_2, FR_3, fr_14, FR_46) "
                                           "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        prepare(row_, QStringLiteral("INSERT INTO QUADROSX (CODAZI, CFD, SEQ, SX_1, SX_2, SX_3, "
                                     "SX_4, SX_5, SX_6, SX_7, SX_8, SX_9, SX_10) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }

    // The front page keeps the tax code as the suite's front-page program typed it.
    void addDeclarant(const Declarant& d) {
        run(declarant_, {d.codazi, d.cfd, d.fr1, d.fr2, d.fr3, d.fr14, d.fr46});
        ++declarants_;
    }

    void addRows(const Declarant& d, const Schedule& schedule,
                 const std::vector<int>& rows = allRows()) {
        for (int row : rows) {
            QVariantList values{d.codazi, taxKey(d.cfd), rowKey(row)};
            for (int field = 1; field <= 10; ++field)
                values << schedule.cells[row][field];
            run(row_, values);
            ++rows_;
        }
    }

    int declarants() const { return declarants_; }
    int rows() const { return rows_; }

  private:
    static void prepare(QSqlQuery& query, const QString& text) {
        if (!query.prepare(text))
            throw Failure{QStringLiteral("%1\n%2").arg(text, query.lastError().text())};
    }
    static void run(QSqlQuery& query, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec())
            throw Failure{
                QStringLiteral("%1\n%2").arg(query.lastQuery(), query.lastError().text())};
    }

    QSqlQuery declarant_;
    QSqlQuery row_;
    int declarants_ = 0;
    int rows_ = 0;
};

// Region rows by line of the schedule: row key n is line SX(n + 3).
enum RegionRow {
    Erario = 2,
    Abruzzo = 3,
    Lazio = 10,
    Liguria = 11,
    Lombardia = 12,
    Piemonte = 15,
    Veneto = 23,
    AddizionaleComunale = 27,
    FriuliAddCom = 29,
    TrentoAddCom = 30,
};

void addSamples(DemoWriter& out) {
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    // Written in neither code, tax code nor name order, so that a listing without its
    // ORDER BY shows.

    const Declarant longName{QStringLiteral("006"),
                             QStringLiteral("DLLMNT58E41H501K"),
                             QStringLiteral("DELLA ROVERE DI SAN GIORGIO CANAVESE"),
                             QStringLiteral("MARIA ANTONIETTA ELISABETTA"),
                             null(),
                             QStringLiteral("F"),
                             zero};
    out.addDeclarant(longName);

    // SX4 box 1 one cent off its column, box 5 left at 0: both yellow on opening. Box 2 holds
    // an amount over a column that sums to 0, which is not compared.
    const Declarant mismatch{QStringLiteral("002"),
                             QStringLiteral("VRDGPP65C12F205X"),
                             QStringLiteral("VERDI"),
                             QStringLiteral("GIUSEPPE"),
                             null(),
                             QStringLiteral("M"),
                             one};
    out.addDeclarant(mismatch);
    Schedule verdi = consistentSchedule({{Erario, 980000, 0, 45000, 200000, 500000},
                                         {Piemonte, 63020, 0, 0, 0, 53020},
                                         {TrentoAddCom, 4510, 0, 0, 0, 4510}},
                                        40000);
    verdi.cells[1][2] = amountText(980000 + 63020 + 4510 + 1);
    verdi.cells[1][3] = QStringLiteral("150,00");
    verdi.cells[1][6] = zero;
    out.addRows(mismatch, verdi);

    // Thousands written with dots; "VA" and "SI" ticked; SX1 equal to SX4 box 3.
    const Declarant dotted{QStringLiteral("010"),
                           QStringLiteral("LMBRRT49B22D969M"),
                           QStringLiteral("LOMBARDI"),
                           QStringLiteral("ROBERTO"),
                           QStringLiteral(""),
                           QStringLiteral("M"),
                           one};
    out.addDeclarant(dotted);
    Schedule lombardi = consistentSchedule({{Erario, 125000, 0, 30000, 0, 100000},
                                            {Liguria, 2345678, 345678, 0, 1000000, 1000000},
                                            {FriuliAddCom, 15000, 0, 0, 15000, 0}},
                                           30000, true);
    lombardi.cells[1][8] = one;
    lombardi.cells[1][10] = one;
    out.addRows(dotted, lombardi);

    // A company with an 11-character VAT number; rows that match their SX4 totals.
    const Declarant company{QStringLiteral("001"),
                            QStringLiteral("01234560157"),
                            null(),
                            null(),
                            QStringLiteral("OFFICINE MECCANICHE BRAMBILLA S.P.A."),
                            null(),
                            one};
    out.addDeclarant(company);
    out.addRows(company, consistentSchedule({{Erario, 1500000, 250000, 120050, 300000, 800000},
                                             {Lombardia, 84075, 0, 0, 50000, 34075},
                                             {AddizionaleComunale, 12030, 0, 1510, 0, 13540}},
                                            100000));

    const Declarant noName{QStringLiteral("012"),
                           QStringLiteral("04155820286"),
                           null(),
                           null(),
                           null(),
                           null(),
                           null()};
    out.addDeclarant(noName);

    // Blanks in fr_14 count as empty: listed by FR_3 although FR_1 and FR_2 are filled.
    const Declarant blankFr14{QStringLiteral("008"),
                              QStringLiteral("03311820964"),
                              QStringLiteral("CONTI"),
                              QStringLiteral("ELENA"),
                              QStringLiteral("Farmacia Centrale Dott.ssa Conti S.n.c."),
                              QStringLiteral("   "),
                              null()};
    out.addDeclarant(blankFr14);

    // Listed by FR_3 but sorted by FR_1 (its legal representative); "SA" ticked alone; a Null
    // SX4 box 2 over a column that sums to 0.
    const Declarant flagged{QStringLiteral("004"),
                            QStringLiteral("00918730226"),
                            QStringLiteral("ZANELLA"),
                            QStringLiteral("PIETRO"),
                            QStringLiteral("ALPI TRASPORTI S.R.L."),
                            null(),
                            one};
    out.addDeclarant(flagged);
    Schedule alpi = consistentSchedule(
        {{Erario, 260000, 0, 0, 60000, 150000}, {Veneto, 39050, 0, 0, 0, 39050}}, 0);
    alpi.cells[1][3] = null();
    alpi.cells[1][9] = one;
    alpi.cells[1][10] = null();
    out.addRows(flagged, alpi);

    // 0,10 + 0,20 in one column: the sum must still match the stored 0,30.
    const Declarant cents{QStringLiteral("011"),
                          QStringLiteral("GLLFNC80R50A944B"),
                          QStringLiteral("GALLI"),
                          QStringLiteral("FRANCESCA"),
                          QStringLiteral(""),
                          QStringLiteral("F"),
                          one};
    out.addDeclarant(cents);
    out.addRows(cents,
                consistentSchedule({{Erario, 10, 0, 0, 0, 0}, {Abruzzo, 20, 0, 0, 0, 0}}, 0));

    // Five of the 31 rows; SX1 above SX4 box 3.
    const Declarant partial{QStringLiteral("003"),
                            QStringLiteral("BNCNNA72T55L219Q"),
                            QStringLiteral("Bianchi"),
                            QStringLiteral("Anna"),
                            null(),
                            QStringLiteral("F"),
                            one};
    out.addDeclarant(partial);
    out.addRows(partial,
                consistentSchedule({{Erario, 320000, 20000, 0, 100000, 150000},
                                    {Lazio, 45000, 0, 0, 45000, 0},
                                    {AddizionaleComunale, 8000, 0, 2000, 0, 10000}},
                                   12000),
                {1, Erario, Lazio, Piemonte, AddizionaleComunale});

    // A schedule stored without a single amount: FR_46 is "0".
    const Declarant empty{QStringLiteral("009"),
                          QStringLiteral("SPSLCU75M10F839W"),
                          null(),
                          null(),
                          QStringLiteral("TIPOGRAFIA ESPOSITO DI ESPOSITO LUCA"),
                          null(),
                          zero};
    out.addDeclarant(empty);
    out.addRows(empty, consistentSchedule({}, 0));

    const Declarant apostrophe{QStringLiteral("005"),
                               QStringLiteral("02468100359"),
                               QStringLiteral(""),
                               QStringLiteral(""),
                               QStringLiteral("COOPERATIVA SOCIALE L'ALBERO DEL PANE A R.L."),
                               QStringLiteral(""),
                               null()};
    out.addDeclarant(apostrophe);

    // A person with a Null first name: listed as the surname and a blank, never by FR_3.
    const Declarant nullFirstName{QStringLiteral("007"),
                                  QStringLiteral("RSSLGU60A01F839Z"),
                                  QStringLiteral("ROSSI"),
                                  null(),
                                  QStringLiteral("ROSSI IMPIANTI ELETTRICI"),
                                  QStringLiteral("M"),
                                  null()};
    out.addDeclarant(nullFirstName);
}

Declarant generatedDeclarant(int i) {
    static const char* const surnames[] = {"ROSSI",  "RUSSO",    "FERRARI", "ESPOSITO", "BIANCHI",
                                           "ROMANO", "COLOMBO",  "RICCI",   "MARINO",   "GRECO",
                                           "BRUNO",  "GALLO",    "CONTI",   "DE LUCA",  "MANCINI",
                                           "COSTA",  "GIORDANO", "RIZZO",   "LOMBARDI", "MORETTI"};
    static const char* const names[] = {"MARCO",   "GIULIA", "LUCA",   "FRANCESCA", "ANDREA",
                                        "CHIARA",  "PAOLO",  "SARA",   "STEFANO",   "ELENA",
                                        "ROBERTO", "ANNA",   "DAVIDE", "MARTA",     "SIMONE"};
    static const char* const trades[] = {"OFFICINA",   "STUDIO",    "TRASPORTI",     "CASEIFICIO",
                                         "FERRAMENTA", "PANIFICIO", "IMPRESA EDILE", "TIPOGRAFIA"};
    static const char* const forms[] = {"S.R.L.", "S.N.C.", "S.P.A.", "S.A.S."};
    const auto pick = [](const auto& list, int index) {
        return QString::fromLatin1(list[index % int(std::size(list))]);
    };

    Declarant d;
    d.codazi = QString::number(i % 999 + 1).rightJustified(3, QLatin1Char('0'));
    const QString surname = pick(surnames, i * 7);
    if (i % 3 == 0) {
        // 7919 is prime to 10^11, so every i gets its own VAT number.
        d.cfd = QString::number((Cents(i) * 7919 + 100003) % 100000000000LL)
                    .rightJustified(11, QLatin1Char('0'));
        d.fr3 = pick(trades, i) + QLatin1Char(' ') + surname + QLatin1Char(' ') + pick(forms, i);
        return d;
    }
    const QString name = pick(names, i * 11);
    const QString digits = QString::number(i).rightJustified(7, QLatin1Char('0'));
    const auto letters = [](QString text) {
        return text.remove(QLatin1Char(' ')).left(3).leftJustified(3, QLatin1Char('X'));
    };
    d.cfd = letters(surname) + letters(name) + digits.mid(0, 2) +
            QLatin1Char("ABCDEHLMPRST"[i % 12]) + digits.mid(2, 2) + QLatin1Char('F') +
            digits.mid(4, 3) + QLatin1Char(char('A' + i % 26));
    d.fr1 = surname;
    d.fr2 = name;
    d.fr14 = (i % 2) ? QStringLiteral("M") : QStringLiteral("F");
    return d;
}

void addGenerated(DemoWriter& out, int count) {
    for (int i = 0; i < count; ++i) {
        Declarant d = generatedDeclarant(i);
        const bool withSchedule = i % 4 == 0;
        if (withSchedule)
            d.fr46 = QStringLiteral("1");
        out.addDeclarant(d);
        if (withSchedule)
            out.addRows(
                d, consistentSchedule({{Erario, 100000 + (i % 97) * 1000, 0, 5000, 20000, 50000},
                                       {4 + i % 26, 30000, 0, 0, 10000, 20000}},
                                      0));
    }
}

QStringList schemaStatements(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure{
            QStringLiteral("cannot read the schema %1: %2").arg(path, file.errorString())};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QStringLiteral("--"));
        lines << (comment < 0 ? line : line.left(comment));
    }
    QStringList statements;
    for (const QString& statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty())
            statements << statement.trimmed();
    if (statements.isEmpty())
        throw Failure{QStringLiteral("the schema %1 holds no statement").arg(path)};
    return statements;
}

void makeTemplate(const QString& path, const QStringList& statements) {
    const Connection connection(path);
    for (const QString& statement : statements)
        connection.execute(statement);
}

// Returns the number of declarants and of schedule rows written.
std::pair<int, int> fillYear(const QString& path, int generated) {
    const Connection connection(path);
    connection.execute(QStringLiteral("BEGIN"));
    DemoWriter out(connection);
    if (generated < 0)
        addSamples(out);
    else
        addGenerated(out, generated);
    connection.execute(QStringLiteral("COMMIT"));
    return {out.declarants(), out.rows()};
}

QString defaultSchema() {
    const QString source = qEnvironmentVariable("QUADROSX_SOURCE_DIR");
    if (!source.isEmpty())
        return QDir(source).filePath(QStringLiteral("data/schema.sql"));
    QDir dir =
        QFileInfo(QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()).dir();
    for (int up = 0; up < 4; ++up) {
        const QString candidate = dir.filePath(QStringLiteral("data/schema.sql"));
        if (QFileInfo::exists(candidate))
            return candidate;
        if (!dir.cdUp())
            break;
    }
    return QString();
}

// A table of the year's database as an Access table: every field Text, but the amounts of
// SX_1 to SX_7 as Currency (ten-thousandths), as the suite keeps them.
Jet4::Table accessTable(const Connection& connection, const QString& name) {
    QSqlQuery query(connection.db());
    if (!query.exec(QStringLiteral("SELECT * FROM ") + name))
        throw Failure{query.lastError().text()};
    Jet4::Table table{name, {}, {}};
    const QSqlRecord fields = query.record();
    const auto isAmount = [](const QString& field) {
        return field.startsWith(QLatin1String("SX_")) && field.mid(3).toInt() <= 7;
    };
    for (int i = 0; i < fields.count(); ++i)
        table.columns << Jet4::Column{fields.fieldName(i), isAmount(fields.fieldName(i))
                                                               ? Jet4::Type::Currency
                                                               : Jet4::Type::Text};
    while (query.next()) {
        QVariantList values;
        for (int i = 0; i < fields.count(); ++i) {
            const QVariant value = query.value(i);
            const bool amount = table.columns.at(i).type == Jet4::Type::Currency;
            values << (value.isNull() || !amount
                           ? value
                           : QVariant(qRound64(value.toString()
                                                   .remove(QLatin1Char('.'))
                                                   .replace(QLatin1Char(','), QLatin1Char('.'))
                                                   .toDouble() *
                                               100) *
                                      100));
        }
        table.rows << values;
    }
    return table;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw Failure{QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
}

// Rewrites the template and the year's database as Access files of the same tables.
void turnIntoAccess(const QString& templatePath, const QString& yearPath) {
    QList<Jet4::Table> tables;
    {
        const Connection connection(yearPath);
        for (const char* name : {"FRONTESPIZIO", "QUADROSX"})
            tables << accessTable(connection, QString::fromLatin1(name));
    }
    writeFile(yearPath, Jet4::fileOf(tables));
    for (Jet4::Table& table : tables)
        table.rows.clear();
    writeFile(templatePath, Jet4::fileOf(tables));
}

int fail(const QString& message) {
    QTextStream(stderr) << "makedemo: " << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes the template S774XXXX.MDB and a demo year's database S7702004.MDB."));
    parser.addHelpOption();
    const QCommandLineOption schemaOption(QStringLiteral("schema"),
                                          QStringLiteral("SQL file that makes the tables."),
                                          QStringLiteral("file"), defaultSchema());
    const QCommandLineOption declarantsOption(
        QStringLiteral("declarants"),
        QStringLiteral("Write <n> generated declarants instead of the sample ones."),
        QStringLiteral("n"));
    parser.addOption(schemaOption);
    parser.addOption(declarantsOption);
    const QCommandLineOption accessOption(
        QStringLiteral("access"), QStringLiteral("Write both files as Access (Jet 4) files."));
    parser.addOption(accessOption);
    parser.addPositionalArgument(QStringLiteral("archives"), QStringLiteral("Archives folder."));
    parser.process(app);

    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("give exactly one archives folder (see --help)"));
    int generated = -1;
    if (parser.isSet(declarantsOption)) {
        bool ok = false;
        generated = parser.value(declarantsOption).toInt(&ok);
        if (!ok || generated < 0 || generated > 1000000)
            return fail(QStringLiteral("--declarants wants a number from 0 to 1000000"));
    }
    const QString schema = parser.value(schemaOption);
    if (schema.isEmpty())
        return fail(QStringLiteral("schema.sql not found: give it with --schema"));

    // The paths are built as the program builds them.
    const QString archives = QDir::cleanPath(parser.positionalArguments().first());
    const QString templatePath = Names770::localPath(archives + Names770::templateFile());
    const QString yearPath = Names770::localPath(archives + Names770::yearDatabaseFile());
    for (const QString& path : {templatePath, yearPath})
        if (QFileInfo::exists(path))
            return fail(QStringLiteral("%1 already exists; nothing was written").arg(path));

    try {
        const QStringList statements = schemaStatements(schema);
        if (!QDir().mkpath(archives))
            throw Failure{QStringLiteral("cannot create the folder %1").arg(archives)};
        makeTemplate(templatePath, statements);
        if (!QFile::copy(templatePath, yearPath))
            throw Failure{QStringLiteral("cannot copy %1 to %2").arg(templatePath, yearPath)};
        const auto [declarants, rows] = fillYear(yearPath, generated);
        if (parser.isSet(accessOption))
            turnIntoAccess(templatePath, yearPath);
        QTextStream(stdout) << "makedemo: wrote " << templatePath << "\nmakedemo: wrote "
                            << yearPath << " (" << declarants << " declarants, " << rows
                            << " schedule rows)" << Qt::endl;
    } catch (const Failure& failure) {
        // Half-made files would only make the next run refuse: they go.
        QFile::remove(yearPath);
        QFile::remove(templatePath);
        return fail(failure.message);
    }
    return 0;
}

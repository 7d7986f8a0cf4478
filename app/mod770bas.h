#pragma once

#include "data/database.h"
#include "data/queryrecordset.h"
#include "data/serverconnection.h"
#include "data/tablerecordset.h"

#include <memory>
#include <QString>
#include <QtGlobal>

// The program's module-level state, one instance per run, shared by the window's procedures.
struct MOD770BAS {
    // The schedule has changes not yet stored.
    qint16 FLAGVARIAZIONI = 0;
    // The last check asked its caller to stop.
    qint16 FLAGBLOCCO = 0;
    // The answer to the last question: 6 Yes, 7 No, 2 Cancel.
    qint16 RISPOSTA = 0;
    // The front page holds no declarant.
    qint16 FLAGNOFRONTESPIZIO = 0;

    // The suite's folders and the settings they come from.
    QString PERCORSOARCHIVI;
    QString PERCORSOPROGRAMMI;
    // Optional: the PostgreSQL server that holds the year's database instead of the file.
    QString SERVERARCHIVI;
    // False in a build that reaches no server; tests turn it off to see that build's refusal.
    bool serverBuiltIn = serverDatabasesBuiltIn();
    QString DIRARCHIVI;
    QString DIRPROGRAMMI;

    std::unique_ptr<Database> DBARCHIVIO;
    std::unique_ptr<TableRecordset> TABFRONTESPIZIO;
    std::unique_ptr<TableRecordset> TABQUADROSX;
    std::unique_ptr<QueryRecordset> RSQUERY;
    std::unique_ptr<QueryRecordset> RSLISTA;

    // The command line the suite's main program passed; the release starts at its third
    // character.
    QString COMMANDLINE;
};

#pragma once

#include <QString>

// A failure of the store. It is never handled by the procedures: it reaches the top-level error
// report, which shows number and description and ends the run.
struct DatabaseError {
    int number;
    QString description;
};

namespace DatabaseErrors {
// Numbers of the failures the layer raises itself; the store's own carry its result codes.
constexpr int FileNotFound = 3024;
constexpr int TableNotFound = 3078;
constexpr int FieldNotFound = 3265;
constexpr int IndexNotFound = 3800;
constexpr int NoCurrentRecord = 3021;
constexpr int UpdateWithoutEdit = 3020;
constexpr int NotOpen = 91;
constexpr int BadServerAddress = 3151;
constexpr int ConnectionLost = 3146;
constexpr int CopyRefused = 3022;
constexpr int AccessFileUnreadable = 3343;
} // namespace DatabaseErrors

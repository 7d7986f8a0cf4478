#pragma once

#include <QByteArray>
#include <QString>

// The suite's own Access files (Jet 3 and Jet 4 .mdb, ACE .accdb), told by their first page
// whatever their name. The program never opens one as its store: it names it and the command
// that brings it in.
namespace AccessFile {

enum class Format { None, Jet3, Jet4, Ace };

// The format the header of `page` (the file's first bytes) shows.
Format formatOfHeader(const QByteArray& page);

// The format of the file at `path`; None when it is no Access file or cannot be read.
Format formatOf(const QString& path);

// Whether the header of an Access file holds a database password.
bool hasPassword(const QByteArray& page);

// The words of the format ("Access 2000 (Jet 4)").
QString formatName(Format format);

// The message of the start-up and of the batch work for the Access file `shownPath` of the
// archives folder `archives`, with the command that brings it in.
QString notice(const QString& shownPath, Format format, const QString& archives);

// The header's region that Jet keeps scrambled, with its fixed key: the same operation
// scrambles and unscrambles it.
void scrambleHeader(QByteArray& page);

} // namespace AccessFile

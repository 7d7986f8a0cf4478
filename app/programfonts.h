#pragma once

#include <QString>

// Adds to the program's fonts every font file (.ttf, .otf) of the folder `fonts` beside the
// program, where the Windows setup puts the faces the window and the control list name; on a
// system that has them (Linux, through fontconfig) the folder is absent and nothing is added.
// A file that cannot be loaded is reported on standard error.
void addFontsBesideProgram(const QString& programFolder);

#pragma once

#include "batch/batchoptions.h"

class QTextStream;

// Does the work of `options` with no window, on the year's database read alone: findings on
// `out`, errors on `err`. Returns the exit status: 0 done with nothing found, 1 something
// found, 2 an error.
int runBatch(const BatchOptions& options, QTextStream& out, QTextStream& err);

// The whole program when its command line starts with an option.
int batchMain(int argc, char** argv);

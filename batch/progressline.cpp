#include "batch/progressline.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

ProgressLine::ProgressLine(int total) : total_(total), shown_(isatty(fileno(stderr)) != 0) {
    sinceShown_.start();
    if (shown_)
        show(0);
}

ProgressLine::~ProgressLine() {
    if (shown_)
        std::fputs("\n", stderr);
}

void ProgressLine::done(int count) {
    // A few updates a second are enough for the eye and cost the work nothing.
    if (shown_ && (count == total_ || sinceShown_.elapsed() >= 100))
        show(count);
}

void ProgressLine::show(int count) {
    std::fprintf(stderr, "\rDichiaranti %d di %d", count, total_);
    std::fflush(stderr);
    sinceShown_.restart();
}

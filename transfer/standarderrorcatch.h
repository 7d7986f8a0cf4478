#pragma once

#include <cstdio>
#include <QString>

// Keeps what the process writes to standard error while one lives, and puts the old standard
// error back when it goes. mdbtools' library reports a page it cannot read only there, and then
// goes on as if the table ended: the reader asks for that text and treats it as a failure.
class StandardErrorCatch {
  public:
    StandardErrorCatch();
    ~StandardErrorCatch();
    StandardErrorCatch(const StandardErrorCatch&) = delete;
    StandardErrorCatch& operator=(const StandardErrorCatch&) = delete;

    // False when no temporary file or descriptor could be had: then nothing is caught.
    bool listening() const { return saved_ >= 0; }
    // What was written since the catch began; empty when nothing was, or when it could not begin.
    QString text() const;

  private:
    std::FILE* kept_ = nullptr;
    int saved_ = -1;
};

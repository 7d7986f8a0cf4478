#include "transfer/standarderrorcatch.h"

#include <QByteArray>

#ifdef _WIN32
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
#define fileno _fileno
#else
#include <unistd.h>
#endif

StandardErrorCatch::StandardErrorCatch() {
    std::fflush(stderr);
    kept_ = std::tmpfile();
    saved_ = kept_ ? dup(2) : -1;
    if (saved_ >= 0 && dup2(fileno(kept_), 2) < 0) {
        close(saved_);
        saved_ = -1;
    }
}

StandardErrorCatch::~StandardErrorCatch() {
    std::fflush(stderr);
    if (saved_ >= 0) {
        dup2(saved_, 2);
        close(saved_);
    }
    if (kept_)
        std::fclose(kept_);
}

QString StandardErrorCatch::text() const {
    if (saved_ < 0)
        return QString();
    std::fflush(stderr);
    QByteArray written;
    char block[512];
    std::rewind(kept_);
    for (size_t read; (read = std::fread(block, 1, sizeof block, kept_)) > 0;)
        written.append(block, qsizetype(read));
    return QString::fromLocal8Bit(written).trimmed();
}

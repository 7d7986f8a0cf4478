#pragma once

#include <QElapsedTimer>
#include <QString>

// "Dichiaranti 120 di 10000" on standard error, rewritten in place, when standard error is a
// terminal; silent otherwise, so that a script's log stays clean.
class ProgressLine {
  public:
    explicit ProgressLine(int total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void done(int count);

  private:
    void show(int count);

    int total_;
    bool shown_;
    QElapsedTimer sinceShown_;
};

#pragma once

#include <QString>

#include <cstdio>

// A one-line progress bar on stderr for long work ("Pictures [#####     ]
// 120/300"). It draws only when stderr is a terminal, so that logs and
// build output stay clean, and redraws only when the bar visibly changes.
class ProgressBar
{
public:
    ProgressBar(const QString& label, qint64 total, std::FILE* stream = stderr);
    ~ProgressBar();

    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void advance(qint64 steps = 1);

private:
    void draw();

    static constexpr int width = 30;
    QString label_;
    qint64 total_;
    qint64 done_ = 0;
    int drawnPercent_ = -1;
    std::FILE* stream_;
    bool enabled_;
};

#include "tools/console/ProgressBar.h"

#include "tools/console/Terminal.h"

ProgressBar::ProgressBar(const QString& label, qint64 total, std::FILE* stream)
    : label_(label)
    , total_(total)
    , stream_(stream)
    , enabled_(total > 0 && isTerminal(stream))
{
    if (enabled_)
        draw();
}

ProgressBar::~ProgressBar()
{
    if (enabled_) {
        std::fputc('\n', stream_);
        std::fflush(stream_);
    }
}

void ProgressBar::advance(qint64 steps)
{
    done_ = qMin(total_, done_ + steps);
    if (enabled_)
        draw();
}

void ProgressBar::draw()
{
    const int percent = int(done_ * 100 / total_);
    if (percent == drawnPercent_ && done_ != total_)
        return;
    drawnPercent_ = percent;
    const int filled = int(done_ * width / total_);
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(width - filled, ' ');
    std::fprintf(stream_, "\r%s [%s] %lld/%lld", label_.toUtf8().constData(), bar.constData(),
                 static_cast<long long>(done_), static_cast<long long>(total_));
    std::fflush(stream_);
}

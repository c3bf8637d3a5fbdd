#include "tools/formats/jet/JetReadProcess.h"

#include "tools/formats/jet/JetFrames.h"
#include "tools/formats/jet/JetReader.h"

#include "store/StoreError.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

// How much of the child's stderr is kept for the error message: libmdb
// says what it stumbled on there, but a looping reader can say it forever.
constexpr qsizetype keptErrorOutput = 2000;

// How long to wait for output at a time, so that the deadline is looked at
// even while the child says nothing.
constexpr int pollMs = 200;

// Owns the child and makes sure it is gone, whichever way reading ends.
class Child
{
public:
    Child(const QString& program, const QString& path)
    {
        process_.setProgram(program);
        process_.setArguments({QString::fromLatin1(JetReadProcess::command), path});
        process_.start(QIODevice::ReadOnly);
    }

    ~Child()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(-1);
        }
    }

    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    QProcess& process() { return process_; }

    // The end of what the child wrote to stderr, read so far.
    QString errorOutput()
    {
        errors_.append(process_.readAllStandardError());
        if (errors_.size() > keptErrorOutput)
            errors_ = errors_.right(keptErrorOutput);
        return QString::fromUtf8(errors_).trimmed();
    }

private:
    QProcess process_;
    QByteArray errors_;
};

class Session
{
public:
    explicit Session(Jet::RowSink& sink)
        : sink_(sink)
    {
    }

    bool done() const { return done_; }

    // Hands on every complete frame; raises StoreError for a Failed frame.
    void take(const QByteArray& bytes)
    {
        frames_.append(bytes);
        while (const std::optional<Jet::Frame> frame = frames_.next()) {
            if (done_)
                throw StoreError(QStringLiteral("the Jet reader sent more after it was done"));
            switch (frame->kind) {
            case Jet::Frame::Kind::Table: sink_.beginTable(frame->table); break;
            case Jet::Frame::Kind::Row: sink_.row(frame->row); break;
            case Jet::Frame::Kind::TableEnd: sink_.endTable(); break;
            case Jet::Frame::Kind::Finished: done_ = true; break;
            case Jet::Frame::Kind::Failed: throw StoreError(frame->message);
            }
        }
    }

private:
    Jet::RowSink& sink_;
    Jet::FrameReader frames_;
    bool done_ = false;
};

QString withDetails(const QString& message, const QString& errorOutput)
{
    return errorOutput.isEmpty() ? message : QStringLiteral("%1 (libmdb said: %2)").arg(message, errorOutput);
}

} // namespace

namespace JetReadProcess {

std::chrono::milliseconds timeLimitFor(qint64 fileBytes)
{
    return 30s + std::chrono::milliseconds(fileBytes * 1000 / (1024 * 1024));
}

void read(const QString& program, const QString& path, std::chrono::milliseconds timeLimit, Jet::RowSink& sink)
{
    Child child(program, path);
    QProcess& process = child.process();
    if (!process.waitForStarted(-1))
        throw StoreError(QStringLiteral("the Jet reader %1 cannot be started: %2").arg(program, process.errorString()));

    const QDeadlineTimer deadline(timeLimit);
    Session session(sink);
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired())
            throw StoreError(withDetails(
                QStringLiteral("reading took longer than %1 s and was stopped; the file is probably damaged")
                    .arg(std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count()),
                child.errorOutput()));
        process.waitForReadyRead(int(std::clamp<qint64>(deadline.remainingTime(), 0, pollMs)));
        session.take(process.readAllStandardOutput());
        child.errorOutput();
    }
    session.take(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit)
        throw StoreError(withDetails(QStringLiteral("the Jet reader crashed on this file; it is probably damaged"),
                                     child.errorOutput()));
    if (!session.done() || process.exitCode() != 0)
        throw StoreError(withDetails(QStringLiteral("the Jet reader stopped before it was done (exit code %1)")
                                         .arg(process.exitCode()),
                                     child.errorOutput()));
}

int serve(const QString& path)
{
    Jet::FrameWriter frames(stdout);
    try {
        JetReader::read(path, frames);
        frames.finished();
        return 0;
    } catch (const StoreError& error) {
        try {
            frames.failed(error.text());
        } catch (const StoreError&) {
            // The importer has stopped listening; there is no one to tell.
        }
        return 1;
    }
}

} // namespace JetReadProcess

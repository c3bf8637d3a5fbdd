#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// How the bank tool puts its outputs in place. A file is first written whole
// under a new hidden name beside its target (created exclusively, so never
// through a symbolic link or over anything), then renamed to the target in
// one step: a failed or stopped run never leaves half a file under the
// target's name. Without `replace` the rename refuses any existing entry,
// a dangling symbolic link included; with it, the entry itself is replaced
// (a symbolic link by the file, never the file it points at).
namespace OutputFiles {

// Renames `temporary` to `target` as above, and syncs the target's folder so
// that the rename lasts through a power cut; on failure says why in `error`.
bool place(const QString& temporary, const QString& target, bool replace, QString& error);

// The first of `inputs` that `output` is (the same file, reached through a
// hard or symbolic link included), so that no output ever replaces what is
// being read; empty when none is.
QString aliasedInput(const QString& output, const QStringList& inputs);

// The reason for a failed system call, for messages: "the disk is full",
// "permission denied", ...
QString systemError(int error);

} // namespace OutputFiles

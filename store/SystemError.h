#pragma once

#include <QCoreApplication>
#include <QString>

// The system's reasons for a failed file operation (a missing file, a
// denied permission, a full disk), in the user's language. The C library
// gives them in English unless its own translations are installed, which a
// Chinese desktop often lacks, and a Chinese message with an English reason
// inside is hard to read; so the reasons users meet are translated here,
// once, with the store's messages.
class SystemError
{
    Q_DECLARE_TR_FUNCTIONS(SystemError)

public:
    // The reason for `error` (an errno value).
    static QString text(int error);

    // A reason as the system or Qt gave it (QFile::errorString(), which is
    // the C library's text): the same text translated when it is one of
    // those known, else as it is.
    static QString translated(const QString& systemText);
};

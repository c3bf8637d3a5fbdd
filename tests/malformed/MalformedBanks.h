#pragma once

#include "support/TestBank.h"

#include <QList>
#include <QString>

#include <functional>

// Question banks made to be bad, one row each: what is wrong with the file,
// and what the program must do with it.
struct MalformedBank
{
    // What starting the program on the bank gives.
    enum class Outcome {
        Refused, // the missing-bank message only; no window
        Opens,   // the window opens; anything wrong is reported as an error
        Either,  // the file may be refused, or open and report errors
    };
    // How the file is kept from being written, or held by another program.
    enum class Hold { None, ReadOnlyFile, ReadOnlyFolder, LockedByWriter };

    const char* name;
    // Spoils `bank`, which holds a bank with enough questions for an exam.
    std::function<void(TestBank& bank)> make;
    Outcome outcome = Outcome::Opens;
    // Text that an error box must show, when the fault is a known one.
    QString expectedError = {};
    Hold hold = Hold::None;
};

// The content every malformed bank starts from: two categories under one
// chapter, 16 must-answer and 101 ordinary questions (enough for an exam),
// some with pictures, and three reference texts.
void addPlayableContent(TestBank& bank);

const QList<MalformedBank>& malformedBanks();

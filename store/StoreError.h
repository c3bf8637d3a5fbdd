#pragma once

#include "store/Failure.h"

// The error the question-bank layer raises: a statement SQLite rejects, a
// file that cannot be opened, a record-set operation that cannot be done.
class StoreError : public Failure
{
public:
    using Failure::Failure;
};

#pragma once

#include "store/Failure.h"

// The error the question-bank layer raises: a statement SQLite rejects, a
// file that cannot be opened, a record-set operation that cannot be done.
class StoreError : public Failure
{
public:
    using Failure::Failure;
};

// A post refused because another program changed the record since it was
// read: nothing was written, and the change is still held.
class RowChangedElsewhere : public StoreError
{
public:
    using StoreError::StoreError;
};

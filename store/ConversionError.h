#pragma once

#include "store/Failure.h"

// A text that is not an integer where one was needed: a number field of the
// bank holding other text, or the go-to box without a number.
class ConversionError : public Failure
{
public:
    using Failure::Failure;
};

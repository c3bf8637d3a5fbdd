#pragma once

#include "support/TestBank.h"

#include "store/Database.h"

#include <gtest/gtest.h>

#include <memory>

// A test over a test bank and the program's connection to it. The
// connection opens when the test first asks for it, so that the test fills
// the bank first.
class BankTest : public ::testing::Test
{
protected:
    Database& db()
    {
        if (!db_)
            db_ = std::make_unique<Database>(bank.path());
        return *db_;
    }

    TestBank bank;
    std::unique_ptr<Database> db_;
};

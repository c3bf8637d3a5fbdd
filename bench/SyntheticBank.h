#pragma once

#include <QByteArray>
#include <QString>

// A question bank made up for measuring the program: any number of
// questions, a share of them with pictures of a chosen size, spread over a
// number of categories, some of them must-answer questions. Everything is
// derived from the question number, so the same options give the same bank.
struct SyntheticBankOptions
{
    int questions = 1000;
    double pictureShare = 1.0; // 0 to 1
    int pictureBytes = 100 * 1024;
    int categories = 40;
    int mustAnswer = 50;
};

// Writes a new bank to `path` (which must not exist) in one transaction.
// Raises StoreError when SQLite refuses.
void writeSyntheticBank(const QString& path, const SyntheticBankOptions& options);

// The category numbers the bank uses, in order: 101 to 199, then 201 and on,
// each hundred headed by its chapter number (100, 200, ...).
int syntheticCategoryNumber(int index);

// A stored picture: the 8-byte picture header and a 24-bit bitmap of about
// `bytes` bytes, its colours varied by `seed`.
QByteArray syntheticPicture(int bytes, int seed);

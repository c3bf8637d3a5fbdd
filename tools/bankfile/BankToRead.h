#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>

#include <optional>

// The file check, stats and export read for a bank. Usually the bank
// itself. A bank with a hot rollback journal (a program stopped while
// writing it) is half written until the journal is rolled back, which
// SQLite does only on a read-write open, that is by changing the user's
// files. So such a bank and its journal are copied into a private folder,
// the copy is rolled back there, and the copy is read: what is read is the
// bank as its last complete write left it, and the original and its
// journal stay byte for byte (the program rolls them back on its next
// start, as SQLite does).
class BankToRead
{
    Q_DECLARE_TR_FUNCTIONS(BankToRead)

public:
    // Raises StoreError when a copy is needed and cannot be made.
    explicit BankToRead(const QString& bank);

    const QString& path() const { return path_; }
    // Whether path() is a recovered copy.
    bool recovered() const { return copy_.has_value(); }
    // What a report says about a recovered bank.
    QString recoveryNote(const QString& bank) const;

private:
    QString path_;
    std::optional<QTemporaryDir> copy_;
};

#include "tools/bankfile/BankToRead.h"

#include "tools/bankfile/BankLocks.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>

BankToRead::BankToRead(const QString& bank)
    : path_(bank)
{
    if (!BankLocks::hasHotJournal(bank))
        return;
    copy_.emplace();
    const QString copy = QDir(copy_->path()).filePath(QStringLiteral("bank.db"));
    if (!copy_->isValid() || !QFile::copy(bank, copy)
        || !QFile::copy(bank + QStringLiteral("-journal"), copy + QStringLiteral("-journal")))
        throw StoreError(tr("'%1' has a journal left by a program that stopped while writing it, and no private copy "
                            "could be made to read it without changing it: %2")
                             .arg(bank, copy_->isValid() ? tr("the copy failed") : copy_->errorString()));
    // Opening the copy for writing rolls its journal back.
    try {
        Database recovered(copy, Database::Mode::ReadWrite);
    } catch (const StoreError& error) {
        throw StoreError(tr("'%1' has a journal left by a program that stopped while writing it, and rolling it "
                            "back fails: %2")
                             .arg(bank, error.text()));
    }
    path_ = copy;
}

QString BankToRead::recoveryNote(const QString& bank) const
{
    return tr("%1 has a journal left by a program that stopped while writing it (%1-journal): the program rolls "
              "it back on its next start, and this report is of the bank as it will then be (read from a private "
              "copy; the bank and its journal are unchanged)")
        .arg(bank);
}

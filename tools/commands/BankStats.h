#pragma once

#include "store/Database.h"

#include <QList>
#include <QString>

// The stats command: how a bank's questions divide up by category (with the
// category titles), by type, by must-answer flag and by picture.
struct BankStats
{
    struct Count
    {
        QString label;
        qint64 questions = 0;
    };

    QList<Count> byCategory;
    QList<Count> byType;
    QList<Count> byMustAnswer;
    QList<Count> byPicture;
    qint64 total = 0;

    // Raises StoreError when the bank cannot be opened, lacks a table or
    // column the counts need, or a read goes beyond `limits`. The bank's
    // files are not changed.
    static BankStats of(const QString& bankPath, const Database::Limits& limits = {});

    QString toText() const;
};

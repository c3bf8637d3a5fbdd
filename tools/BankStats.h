#pragma once

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

    // Raises StoreError when the bank cannot be opened or lacks a table or
    // column the counts need.
    static BankStats of(const QString& bankPath);

    QString toText() const;
};

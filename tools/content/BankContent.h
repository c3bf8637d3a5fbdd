#pragma once

#include "tools/content/SourceProblems.h"

#include "rules/AnswerCode.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A question bank as the bank tool reads it from a source file and writes it
// to a bank: the stored values of each row, plus where each row came from so
// that problems can be reported against the source.
struct BankCategory
{
    qint64 no = 0;     // classes.no
    QString title;     // classes.remark
    int sourceLine = 0;
};

struct BankQuestion
{
    qint64 no = 0;          // Subjects.no
    qint64 category = 0;    // Subjects.fatherNo
    qint64 type = 0;        // Subjects.classNo: 0 single choice, anything else true/false
    QString text;           // Subjects.subject
    qint64 answer = 0;      // Subjects.result: 0 A, 1 B, 2 C
    qint64 mustAnswer = 0;  // Subjects.passOnly: 1 must-answer, 0 ordinary

    // The picture file named by the source (absolute path), empty for none;
    // the stored value is filled in from it when the bank is built.
    QString pictureFile;
    std::optional<QByteArray> picture; // Subjects.bmp; nothing: null

    int sourceLine = 0;
};

struct BankMaterial
{
    std::optional<qint64> id; // ziliao.id; nothing: numbered by the bank
    QString title;
    QString text;              // ziliao.memo
    int sourceLine = 0;
};

struct BankContent
{
    QList<BankCategory> categories;
    QList<BankQuestion> questions;
    QList<BankMaterial> materials;

    // What the rows' sourceLine counts (lines of a JSON file, rows of a
    // sheet), and the sheet's picture column, so that later problems name
    // the place as the reader did.
    SourcePlace::Unit unit = SourcePlace::Unit::Line;
    QString pictureColumn;
    QString pictureColumnName;

    SourcePlace placeOf(int sourceLine) const { return {sourceLine, unit, {}, {}}; }
    SourcePlace pictureOf(int sourceLine) const { return {sourceLine, unit, pictureColumn, pictureColumnName}; }
};

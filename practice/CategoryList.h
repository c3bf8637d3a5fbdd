#pragma once

#include <QList>
#include <QString>

#include <exception>

class RecordSet;

// The categories offered for practice, read through the scratch set in
// number order. Chapter headings (100, 200, ...) are left out.
struct CategoryList
{
    struct Category
    {
        QString title; // classes.remark
        int number = 0;
    };

    QList<Category> categories;
    // What stopped the reading, when something did: a category number that
    // is not an integer stops the list there, and the categories read
    // before it stay in the list.
    std::exception_ptr stoppedBy;

    // Opens the scratch set on the category list and reads it. Raises what
    // the record set raises when it cannot be opened at all.
    static CategoryList read(RecordSet& scratch);
};

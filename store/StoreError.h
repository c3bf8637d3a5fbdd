#pragma once

#include <QString>

#include <stdexcept>

// The one error type the question-bank layer raises. It carries the text the
// user is shown; the window decides how to show it.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString& text)
        : std::runtime_error(text.toStdString())
        , text_(text)
    {
    }

    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <stdexcept>

// An error whose text is meant for the user as it stands: the store's, a
// conversion's, a picture's. The text is kept as QString, so that no
// character is lost on its way to a message box.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString& text)
        : std::runtime_error(text.toStdString())
        , text_(text)
    {
    }

    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

// Runs `action`; gives the text of the error that ended it, or nothing when
// it ran to its end. Qt is built without exception support, so code called
// by Qt (slots, event handlers, model functions) runs its work through here
// and reports the text in its own way: the window shows it, a model emits it.
template <typename Action>
std::optional<QString> failureText(Action&& action) noexcept
{
    try {
        std::forward<Action>(action)();
        return std::nullopt;
    } catch (const Failure& error) {
        return error.text();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
    }
}

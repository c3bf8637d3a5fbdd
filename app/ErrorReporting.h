#pragma once

#include "app/Messages.h"
#include "store/Failure.h"

#include <optional>
#include <utility>

// Runs one handler. An error raised inside it ends the handler and is shown
// in the error box; the program goes on with the state it had then. Qt is
// built without exception support, so no exception may leave a handler: every
// slot, event override and hook of the window runs through here.
template <typename Handler>
void guarded(Handler&& handler) noexcept
{
    if (const std::optional<QString> text = failureText(std::forward<Handler>(handler)))
        Messages::showError(*text);
}

#pragma once

#include "app/Messages.h"
#include "store/StoreError.h"

#include <exception>
#include <utility>

// Runs one handler. An error raised inside it ends the handler and is shown
// in the error box; the program goes on with the state it had then. Qt is
// built without exception support, so no exception may leave a handler: every
// slot, event override and hook of the window runs through here.
template <typename Handler>
void guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const StoreError& error) {
        Messages::showError(error.text());
    } catch (const std::exception& error) {
        Messages::showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Messages::showError(QStringLiteral("Unexpected error"));
    }
}

#pragma once

#include <QString>
#include <exception>
#include <functional>

// Application-wide facts: the title and the display of failures that no handler catches.
namespace app {

// The title from the executable's path: what follows the last separator, cut at the first
// full stop, every character after the first lowered.
QString deriveTitle(const QString& executablePath, QChar separator);
// The title of this run, derived once at start.
const QString& applicationTitle();
void setApplicationTitle(const QString& title);

// The text shown for a failure: the innermost message when not empty, else the chain's
// messages outermost first, one per line; a full stop added after a last character above
// the full stop. Empty for a quiet abort.
QString failureText(const std::exception_ptr& failure);
bool isQuietAbort(const std::exception_ptr& failure);
QString withFullStop(const QString& text);

// Shows a failure in a modal critical message box titled with the application title.
void showFailure(const std::exception_ptr& failure);
// Tests observe the error display instead of a modal box.
void setFailureSink(std::function<void(const QString&)> sink);

// Runs a handler so that no failure escapes into Qt's event loop.
template <class Handler>
void guarded(Handler&& handler) {
    try {
        handler();
    } catch (...) {
        showFailure(std::current_exception());
    }
}

// A wait cursor for the length of an action.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace app

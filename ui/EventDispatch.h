#pragma once

#include <exception>
#include <utility>

class QWidget;

// Tells the user about an error that no handler dealt with: a modal message
// over `window` that names the kind of error and what caused it, and the
// same as one line on standard error. The program ends after it.
void ReportUnhandledError(QWidget* window, const std::exception& error);

// Runs one event handler of the window. Errors must not unwind through Qt's
// event loop, so they stop here: reported, and false returned so that the
// caller ends the program.
template <typename Handler>
bool RunEventHandler(QWidget* window, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception& error) {
        ReportUnhandledError(window, error);
        return false;
    }
}

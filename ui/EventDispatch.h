#pragma once

#include "FormView.h"

#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace Brisvane {

// The exit status of a program ended by an error that no handler dealt with.
constexpr int UnhandledErrorExitStatus = 1;

// What the user is told about `error`: its kind and what caused it.
UnhandledErrorReport ReportOf(const std::exception& error);

// The same report as one line for standard error: "brisvane: Type mismatch:
// "12x34" is not a number".
std::string ReportLine(const std::exception& error);

// Tells the user about an error that no handler dealt with: the line on
// standard error (where the process has one), then the modal report,
// which `show` puts on the screen.
void ReportUnhandledError(const std::exception& error, const std::function<void(const UnhandledErrorReport&)>& show);

// Runs one event handler of the form. An error that leaves it stops here,
// since none may unwind through a toolkit's event loop or a window
// procedure: it is reported, and the view ends the program with
// UnhandledErrorExitStatus.
template <typename Handler>
void RunEventHandler(FormView& view, Handler&& handler) noexcept
{
    const auto show = [&view](const UnhandledErrorReport& report) { view.ReportUnhandledError(report); };
    try {
        std::forward<Handler>(handler)();
        return;
    } catch (const std::exception& error) {
        ReportUnhandledError(error, show);
    } catch (...) {
        ReportUnhandledError(std::exception(), show);
    }
    view.EndProgram(UnhandledErrorExitStatus);
}

}  // namespace Brisvane

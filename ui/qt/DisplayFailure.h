#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

namespace Brisvane {

// Turns a display that cannot be opened into one line on standard error and
// exit status 1. Qt treats it as a fatal error and aborts, leaving a core
// dump behind a message about reinstalling the application. Install the
// guard before the QApplication is made and release it right after; what
// Qt says in between is held back and passed on only if the display opens.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;

    // The display is open: restore Qt's message handling and replay what was held.
    void Release();
};

// The line that names the display, from the environment Qt reads it from:
// `cannot open the display ":0"`, with the Qt platform when one is chosen
// other than X11's. Where Qt tries more than one (Wayland, then X11, in a
// Wayland session), each in turn with its display.
std::string DisplayFailureMessage();

}  // namespace Brisvane

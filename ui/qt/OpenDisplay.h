#pragma once

#include <QApplication>

#include <memory>

namespace Brisvane {

// Makes the application object, which opens the display. Where no platform
// can start, Qt treats it as a fatal error and aborts, leaving a core dump
// behind advice to reinstall the application; here the program ends instead
// with exit status 1 and, on standard error, a line that says what failed:
// the display, named from the environment Qt reads it from, only where a
// platform was found and could not reach it; otherwise the platform that is
// not installed or would not load, and why. What Qt said follows it. What
// Qt says while it opens the display is held back, from whichever thread
// says it, and passed on in its order once the display is open.
//
// Qt has one application object a process, so this is called once, before
// anything else of Qt's.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace Brisvane

#pragma once

#include <QApplication>

#include <memory>

namespace Brisvane {

// Makes the application object, which opens the display. Where the display
// cannot be opened, Qt treats it as a fatal error and aborts, leaving a core
// dump behind a message about reinstalling the application; here the program
// ends instead with one line on standard error that names the display (from
// the environment Qt reads it from) and exit status 1. What Qt says while it
// opens the display is held back, and passed on once the display is open.
//
// Qt has one application object a process, so this is called once, before
// anything else of Qt's; the held messages live in the call, which no second
// call can overlap.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace Brisvane

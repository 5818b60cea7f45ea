#pragma once

#include <QApplication>

#include <memory>

namespace Brisvane {

// Makes the application object, which opens the display. Where no platform
// can start, Qt treats it as a fatal error and aborts, leaving a core dump
// behind advice to reinstall the application; and a platform that starts
// with no screen, or that shows only Vulkan windows, aborts or runs on
// unseen once the window is made. Here the program writes instead, on
// standard error, a line that says what failed (FailureLine.h), then what
// Qt said; it then ends with exit status 1 where Qt found no platform, and
// otherwise returns null for the caller to end.
//
// What Qt says while the application object is made is held back, from
// whichever thread it comes, and passed on in its order once it is made,
// to the message handler found at the start, which is called with the
// hold's lock held: it must not wait for another thread that speaks. A
// message that QT_FATAL_WARNINGS or QT_FATAL_CRITICALS makes Qt abort
// after is passed on at once, and Qt's abort stays.
//
// Qt has one application object a process, so this is called once, before
// anything else of Qt's.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace Brisvane

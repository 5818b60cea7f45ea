#pragma once

#include "PlatformPlugin.h"

#include <string>
#include <vector>

namespace Brisvane {

// Brisvane's own line where no window opens, written before what Qt said:
// what failed, and where a platform reached for a display, which one, named
// from the environment Qt reads it from. A platform that needs no display
// (offscreen, linuxfb, eglfs...) is never described by one.

// One platform Qt tried, and how far its plugin got.
struct Attempt {
    std::string Platform;
    PlatformPlugin Plugin;
};

// Returns the platforms Qt tries, in its order, as Qt names them: those in
// QT_QPA_PLATFORM where it is set, in lower case and without their options;
// otherwise X11, after Wayland where WAYLAND_DISPLAY is set (even empty) or
// XDG_SESSION_TYPE says Wayland.
std::vector<std::string> PlatformsTried();

// Returns the line where Qt started none of `attempts`.
std::string FailureLine(const std::vector<Attempt>& attempts);

// Returns whether every platform tried loaded and failed at its display:
// then a display is all that is missing.
bool OnlyDisplaysFailed(const std::vector<Attempt>& attempts);

// Returns the line where `platform` started with no screen to put a window
// on.
std::string NoScreenLine(const std::string& platform);

// Returns the line where `platform` started but shows only Vulkan windows.
std::string VulkanOnlyLine(const std::string& platform);

}  // namespace Brisvane

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

// The platforms Qt tries, in its order: the list in QT_QPA_PLATFORM where it
// is set, without their options; otherwise X11, after Wayland in a Wayland
// session.
std::vector<std::string> PlatformsTried();

// Where Qt started on none of them.
std::string FailureLine(const std::vector<Attempt>& attempts);

// Whether every platform tried loaded and failed at its display: then a
// display is all that is missing.
bool OnlyDisplaysFailed(const std::vector<Attempt>& attempts);

// Where `platform` started with no screen to put a window on.
std::string NoScreenLine(const std::string& platform);

// Where `platform` started but shows only Vulkan windows.
std::string VulkanOnlyLine(const std::string& platform);

}  // namespace Brisvane

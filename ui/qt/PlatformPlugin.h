#pragma once

#include <string>

namespace Brisvane {

// Where one of Qt's platforms stands once Qt has failed to start on it: its
// plugin not there at all; there but its library would not load (a library
// it needs is missing, say); or loaded, so that it ran and could not start
// (it found no display, no screen). Asked of the files themselves, without
// Qt's own plugin lists, which differ between its versions.
enum class PluginState { Missing, Unloadable, Ran };

struct PlatformPlugin {
    PluginState State = PluginState::Missing;
    // Why the library would not load, as the loader says it.
    std::string Reason;
};

// `name` as QT_QPA_PLATFORM names it: "xcb", "wayland".
PlatformPlugin FindPlatformPlugin(const std::string& name);

}  // namespace Brisvane

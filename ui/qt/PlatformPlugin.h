#pragma once

#include <string>

namespace Brisvane {

// Where one of Qt's platforms stands once Qt has given up, as Qt's plugin
// loader answers: its plugin not there at all; there but not loaded, for
// Qt's reason (a library it needs is missing, it was built for another Qt);
// loaded by Qt, so that the platform itself failed (it found no display, no
// screen); or never loaded by Qt though it would load, because Qt gave up
// before it. Asked of the files themselves, without Qt's own plugin lists,
// which differ between its versions.
enum class PluginState { Missing, Unloadable, Loaded, Untried };

struct PlatformPlugin {
    PluginState State = PluginState::Missing;
    // Why Qt would not load it, as Qt says it.
    std::string Reason;
};

// `name` as QT_QPA_PLATFORM names it: "xcb", "wayland".
PlatformPlugin FindPlatformPlugin(const std::string& name);

}  // namespace Brisvane

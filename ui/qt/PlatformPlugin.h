#pragma once

#include <string>

namespace Brisvane {

// How far one of Qt's platforms got once Qt has given up, as Qt's plugin
// loader knows it: its plugin not there at all; there, but not loaded, for
// Qt's reason (a library it needs is missing, it was built for another Qt);
// or loaded by Qt, so that the platform itself failed (it found no display,
// no screen). Asked of the files themselves, without Qt's own plugin lists,
// which differ between its versions.
enum class PluginState { Missing, Unloadable, Loaded };

struct PlatformPlugin {
    PluginState State = PluginState::Missing;
    // Why Qt would not load it, as Qt says it.
    std::string Reason;
};

// Returns whether Qt loaded a plugin for the platform `name`, as
// QT_QPA_PLATFORM names it ("xcb", "wayland"). Loads nothing.
bool IsPlatformLoaded(const std::string& name);

// Returns how far the platform `name` got, where Qt tried it. Where Qt
// loaded none of its plugins, the reason is Qt's own for a plugin it
// rejected from its metadata, which is not loaded; or, for the plugin it
// took and could not load, what loading that again says, which fails the
// same way before any of its code runs. So this is for a platform that Qt
// reached, never for one after it.
PlatformPlugin FindPlatformPlugin(const std::string& name);

}  // namespace Brisvane

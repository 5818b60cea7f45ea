#include "FailureLine.h"

#include "QuoteForMessage.h"
#include "Texts.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace Brisvane {
namespace {

// `text` with %1, %2... replaced by `values`, in one pass, so that a value
// that holds a % is left as it is.
std::string Filled(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
                                 static_cast<std::size_t>(text[i + 1] - '1') < values.size();
        if (!placeholder) {
            out += text[i];
            continue;
        }
        out += values.begin()[text[i + 1] - '1'];
        ++i;
    }
    return out;
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsWayland(std::string_view platform)
{
    return platform.starts_with("wayland");
}

// Only X11 and Wayland are reached through a display that a variable names;
// the others (offscreen, minimal, vnc, linuxfb, eglfs...) need none or a
// device.
bool HasDisplay(std::string_view platform)
{
    return platform == "xcb" || IsWayland(platform);
}

std::string Title(std::string_view platform)
{
    return platform == "xcb"     ? Texts::X11
           : IsWayland(platform) ? Texts::Wayland
                                 : Filled(Texts::OtherPlatform, {QuoteForMessage(platform)});
}

// The display a platform tried: its name in quotes, after the variable that
// names it where `named` (`DISPLAY ":0"`); or that the variable is not set,
// and for Wayland the socket libwayland falls back on.
struct DisplayTried {
    std::string Text;
    bool IsName = false;
};

DisplayTried DisplayOf(std::string_view platform, bool named)
{
    const std::string variable = IsWayland(platform) ? "WAYLAND_DISPLAY" : "DISPLAY";
    const std::string name = Variable(variable.c_str());
    if (!name.empty())
        return {(named ? variable + " " : "") + QuoteForMessage(name), true};
    if (IsWayland(platform))
        return {Filled(Texts::VariableNotSetSo, {variable, QuoteForMessage("wayland-0")})};
    return {Filled(Texts::VariableNotSet, {variable})};
}

bool MissedItsDisplay(const Attempt& attempt)
{
    return attempt.Plugin.State == PluginState::Loaded && HasDisplay(attempt.Platform);
}

// As one of several: `X11 (DISPLAY ":0")`, `Wayland (not installed)`.
std::string Described(const Attempt& attempt)
{
    const std::string title = Title(attempt.Platform);
    switch (attempt.Plugin.State) {
    case PluginState::Missing: return Filled(Texts::TriedNotInstalled, {title});
    case PluginState::Unloadable: return Filled(Texts::TriedNotLoaded, {title, attempt.Plugin.Reason});
    case PluginState::Loaded:
    case PluginState::Untried: break;
    }
    if (!HasDisplay(attempt.Platform))
        return Filled(Texts::TriedNotStarted, {title});
    return Filled(Texts::TriedDisplay, {title, DisplayOf(attempt.Platform, true).Text});
}

std::string DisplayNotOpened(const std::string& platform)
{
    const DisplayTried tried = DisplayOf(platform, false);
    std::string sentence =
        Filled(tried.IsName ? Texts::DisplayNotOpened : Texts::DisplayNotOpenedBecause, {tried.Text});
    if (platform != "xcb")
        sentence = Filled(Texts::OnPlatform, {sentence, QuoteForMessage(platform)});
    return sentence;
}

// As the only one: a sentence of its own.
std::string Sentence(const Attempt& attempt)
{
    const std::string quoted = QuoteForMessage(attempt.Platform);
    switch (attempt.Plugin.State) {
    case PluginState::Missing: return Filled(Texts::PlatformNotFound, {quoted});
    case PluginState::Unloadable: return Filled(Texts::PlatformNotLoaded, {quoted, attempt.Plugin.Reason});
    case PluginState::Loaded:
    case PluginState::Untried: break;
    }
    if (!HasDisplay(attempt.Platform))
        return Filled(Texts::PlatformNotStarted, {quoted});
    return DisplayNotOpened(attempt.Platform);
}

}  // namespace

std::vector<std::string> PlatformsTried()
{
    std::vector<std::string> platforms;
    const std::string chosen = Variable("QT_QPA_PLATFORM");
    for (std::string_view list = chosen; !list.empty();) {
        const std::size_t end = std::min(list.find(';'), list.size());
        // A platform's options follow its name after a colon.
        if (const std::string_view entry = list.substr(0, end); !entry.empty())
            platforms.emplace_back(entry.substr(0, entry.find(':')));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    if (!platforms.empty())
        return platforms;
    if (!Variable("WAYLAND_DISPLAY").empty() || Variable("XDG_SESSION_TYPE") == "wayland")
        return {"wayland", "xcb"};
    return {"xcb"};
}

std::string FailureLine(const std::vector<Attempt>& attempts)
{
    if (attempts.size() == 1)
        return Sentence(attempts.front());
    std::string tried;
    for (const Attempt& attempt : attempts)
        tried = tried.empty() ? Described(attempt) : Filled(Texts::ThenTried, {tried, Described(attempt)});
    return Filled(OnlyDisplaysFailed(attempts) ? Texts::DisplaysTried : Texts::PlatformsTried, {tried});
}

bool OnlyDisplaysFailed(const std::vector<Attempt>& attempts)
{
    return std::all_of(attempts.begin(), attempts.end(), MissedItsDisplay);
}

std::string NoScreenLine(const std::string& platform)
{
    // A display with no screen is one Qt could not open a window on.
    if (HasDisplay(platform))
        return DisplayNotOpened(platform);
    return Filled(Texts::PlatformWithoutScreen, {QuoteForMessage(platform)});
}

std::string VulkanOnlyLine(const std::string& platform)
{
    return Filled(Texts::PlatformForVulkanOnly, {QuoteForMessage(platform)});
}

}  // namespace Brisvane

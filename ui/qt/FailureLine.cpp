#include "FailureLine.h"

#include "QuoteForMessage.h"
#include "Texts.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace Brisvane {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Returns `text` with its %1, %2 replaced by `values` in one pass, so that a
// value that holds a % is left as it is.
template <typename... Values>
std::string Filled(std::string_view text, const Values&... values)
{
    return ToQString(text).arg(ToQString(values)...).toStdString();
}

// Returns `name` in lower case, as Qt looks a platform up: the names of
// its plugins are ASCII.
std::string LowerCase(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
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

const char* DisplayVariable(std::string_view platform)
{
    return IsWayland(platform) ? "WAYLAND_DISPLAY" : "DISPLAY";
}

// Returns why `platform` tried no display by name: its variable is unset,
// and Wayland then tries its socket wayland-0; or the variable is empty,
// which X11 takes as no display and Wayland as the runtime folder itself.
// Returns nothing where the variable names a display.
std::string WhyNoName(std::string_view platform)
{
    const char* variable = DisplayVariable(platform);
    const char* name = std::getenv(variable);
    if (name == nullptr && IsWayland(platform))
        return Filled(Texts::VariableNotSetSo, variable, QuoteForMessage("wayland-0"));
    if (name == nullptr)
        return Filled(Texts::VariableNotSet, variable);
    if (*name == '\0')
        return Filled(Texts::VariableEmpty, variable);
    return {};
}

std::string QuotedDisplay(std::string_view platform)
{
    return QuoteForMessage(std::getenv(DisplayVariable(platform)));
}

// Returns the display `platform` tried, as one of several names it:
// `DISPLAY ":0"`, or why there was none.
std::string DisplayAmongOthers(std::string_view platform)
{
    const std::string whyNoName = WhyNoName(platform);
    if (!whyNoName.empty())
        return whyNoName;
    return Filled(Texts::NamedDisplay, DisplayVariable(platform), QuotedDisplay(platform));
}

// Returns the sentence for the display `platform` could not open, as the
// only one tried.
std::string DisplayNotOpened(const std::string& platform)
{
    const std::string whyNoName = WhyNoName(platform);
    std::string sentence = whyNoName.empty() ? Filled(Texts::DisplayNotOpened, QuotedDisplay(platform))
                                             : Filled(Texts::DisplayNotOpenedBecause, whyNoName);
    if (platform != "xcb")
        sentence = Filled(Texts::OnPlatform, sentence, QuoteForMessage(platform));
    return sentence;
}

// The words for how far a platform's plugin got, for the platform alone and
// among several: %1 names the platform, %2 gives Qt's reason. A platform
// that loaded and has a display failed at the display, which is said apart.
struct StateWords {
    PluginState State;
    std::string_view Alone;
    std::string_view AmongOthers;
};

constexpr StateWords WordsForState[] = {
    {PluginState::Missing, Texts::PlatformNotFound, Texts::TriedNotInstalled},
    {PluginState::Unloadable, Texts::PlatformNotLoaded, Texts::TriedNotLoaded},
    {PluginState::Loaded, Texts::PlatformNotStarted, Texts::TriedNotStarted},
};

const StateWords& WordsFor(const Attempt& attempt)
{
    return *std::find_if(std::begin(WordsForState), std::end(WordsForState),
                         [&](const StateWords& words) { return words.State == attempt.Plugin.State; });
}

std::string Said(std::string_view words, const std::string& name, const Attempt& attempt)
{
    if (attempt.Plugin.State == PluginState::Unloadable)
        return Filled(words, name, attempt.Plugin.Reason);
    return Filled(words, name);
}

bool MissedItsDisplay(const Attempt& attempt)
{
    return attempt.Plugin.State == PluginState::Loaded && HasDisplay(attempt.Platform);
}

std::string Title(std::string_view platform)
{
    return platform == "xcb"     ? Texts::X11
           : IsWayland(platform) ? Texts::Wayland
                                 : Filled(Texts::OtherPlatform, QuoteForMessage(platform));
}

// Returns `attempt` as one of several: `X11 (DISPLAY ":0")`,
// `Wayland (not installed)`.
std::string Described(const Attempt& attempt)
{
    const std::string title = Title(attempt.Platform);
    if (MissedItsDisplay(attempt))
        return Filled(Texts::TriedDisplay, title, DisplayAmongOthers(attempt.Platform));
    return Said(WordsFor(attempt).AmongOthers, title, attempt);
}

// Returns `attempt` as the only one: a sentence of its own.
std::string Sentence(const Attempt& attempt)
{
    if (MissedItsDisplay(attempt))
        return DisplayNotOpened(attempt.Platform);
    return Said(WordsFor(attempt).Alone, QuoteForMessage(attempt.Platform), attempt);
}

}  // namespace

std::vector<std::string> PlatformsTried()
{
    // Qt reads an empty QT_QPA_PLATFORM as unset. In one that is set it skips
    // empty entries, and empty parts of each: a platform's options follow
    // its name after a colon.
    if (const char* chosen = std::getenv("QT_QPA_PLATFORM"); chosen != nullptr && *chosen != '\0') {
        std::vector<std::string> platforms;
        for (std::string_view list = chosen; !list.empty();) {
            std::string_view name = list.substr(0, list.find(';'));
            list.remove_prefix(std::min(name.size() + 1, list.size()));
            name.remove_prefix(std::min(name.find_first_not_of(':'), name.size()));
            if (name = name.substr(0, name.find(':')); !name.empty())
                platforms.push_back(LowerCase(name));
        }
        return platforms;
    }
    // Qt's own default is X11 (Debian builds it so); a Wayland session puts
    // Wayland before it.
    const char* session = std::getenv("XDG_SESSION_TYPE");
    if (std::getenv("WAYLAND_DISPLAY") != nullptr || (session != nullptr && std::string_view(session) == "wayland"))
        return {"wayland", "xcb"};
    return {"xcb"};
}

std::string FailureLine(const std::vector<Attempt>& attempts)
{
    if (attempts.empty())
        return Texts::NoPlatformTried;
    if (attempts.size() == 1)
        return Sentence(attempts.front());
    std::string tried;
    for (const Attempt& attempt : attempts)
        tried = tried.empty() ? Described(attempt) : Filled(Texts::ThenTried, tried, Described(attempt));
    return Filled(OnlyDisplaysFailed(attempts) ? Texts::DisplaysTried : Texts::PlatformsTried, tried);
}

bool OnlyDisplaysFailed(const std::vector<Attempt>& attempts)
{
    return !attempts.empty() && std::all_of(attempts.begin(), attempts.end(), MissedItsDisplay);
}

std::string NoScreenLine(const std::string& platform)
{
    // A display with no screen is one Qt could not open a window on.
    if (HasDisplay(platform))
        return DisplayNotOpened(platform);
    return Filled(Texts::PlatformWithoutScreen, QuoteForMessage(platform));
}

std::string VulkanOnlyLine(const std::string& platform)
{
    return Filled(Texts::PlatformForVulkanOnly, QuoteForMessage(platform));
}

}  // namespace Brisvane

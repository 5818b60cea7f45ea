// Brisvane's line where no window opens, against the manual page, which
// quotes each such line as the program writes it.

#include "FailureLine.h"
#include "ScopedEnvironment.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace Brisvane;

namespace {

std::string ManualPage()
{
    std::ifstream file(BRISVANE_MANUAL_PAGE);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Whether `line` says what `text` does, whatever stands for its %1 and %2:
// the pieces between them, in their order.
bool Says(std::string_view line, std::string_view text)
{
    std::size_t at = 0;
    while (true) {
        const std::size_t mark = text.find('%');
        at = line.find(text.substr(0, mark), at);
        if (at == line.npos)
            return false;
        if (mark == text.npos)
            return true;
        at += mark;
        text.remove_prefix(mark + 2);
    }
}

const PlatformPlugin Missing{PluginState::Missing, {}};
const PlatformPlugin Loaded{PluginState::Loaded, {}};

PlatformPlugin Unloadable(std::string reason)
{
    return {PluginState::Unloadable, std::move(reason)};
}

}  // namespace

TEST(FailureLine, IsTheOneTheManualPageQuotes)
{
    const ScopedEnvironment::Variables noDisplay = {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    const ScopedEnvironment::Variables x = {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", std::nullopt}};
    struct Case {
        ScopedEnvironment::Variables environment;
        std::function<std::string()> line;
    };
    const auto failed = [](std::vector<Attempt> attempts) { return [=] { return FailureLine(attempts); }; };
    const std::vector<Case> cases = {
        {x, failed({{"xcb", Loaded}})},
        {noDisplay, failed({{"xcb", Loaded}})},
        {noDisplay, failed({{"wayland", Missing}})},
        {x,
         failed({{"xcb", Unloadable("Cannot load library "
                                    "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so: (libxcb-cursor.so.0: "
                                    "cannot open shared object file: No such file or directory)")}})},
        {x, failed({{"eglfs", Loaded}})},
        {noDisplay, [] { return NoScreenLine("linuxfb"); }},
        {noDisplay, [] { return VulkanOnlyLine("vkkhrdisplay"); }},
        {{{"WAYLAND_DISPLAY", "wayland-1"}}, failed({{"wayland", Loaded}})},
        {noDisplay, failed({{"wayland", Loaded}, {"xcb", Loaded}})},
        {x, failed({{"wayland", Missing}, {"xcb", Loaded}})},
        {x, failed({{"vnc", Unloadable("The plugin '/opt/qt/platforms/libqvnc.so' uses incompatible Qt library. "
                                       "(6.9.0) [release]")},
                    {"eglfs", Loaded}})},
    };
    const std::string manual = ManualPage();
    ASSERT_FALSE(manual.empty()) << BRISVANE_MANUAL_PAGE;
    std::vector<std::string> lines;
    for (const Case& c : cases) {
        const ScopedEnvironment environment(c.environment);
        lines.push_back(Texts::StandardErrorPrefix + c.line());
        EXPECT_NE(manual.find("\n" + lines.back() + "\n"), manual.npos) << lines.back();
    }

    // Between them, the lines say every text there is for it.
    for (const std::string_view text : {
             Texts::DisplayNotOpened,
             Texts::DisplayNotOpenedBecause,
             Texts::OnPlatform,
             Texts::PlatformNotFound,
             Texts::PlatformNotLoaded,
             Texts::PlatformNotStarted,
             Texts::PlatformWithoutScreen,
             Texts::PlatformForVulkanOnly,
             Texts::DisplaysTried,
             Texts::PlatformsTried,
             Texts::ThenTried,
             Texts::X11,
             Texts::Wayland,
             Texts::OtherPlatform,
             Texts::TriedDisplay,
             Texts::TriedNotInstalled,
             Texts::TriedNotLoaded,
             Texts::TriedNotStarted,
             Texts::VariableNotSet,
             Texts::VariableNotSetSo,
         }) {
        const auto says = [&](const std::string& line) { return Says(line, text); };
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), says)) << text;
    }
}

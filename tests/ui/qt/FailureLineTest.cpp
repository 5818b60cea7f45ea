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
#include <set>
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

const PlatformPlugin Missing{PluginState::Missing, {}};
const PlatformPlugin Loaded{PluginState::Loaded, {}};

PlatformPlugin Unloadable(std::string reason)
{
    return {PluginState::Unloadable, std::move(reason)};
}

const std::string NoLibrary = "Cannot load library /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so: "
                              "(libxcb-cursor.so.0: cannot open shared object file: No such file or directory)";
const std::string AnotherQt =
    "The plugin '/opt/qt/platforms/libqvnc.so' uses incompatible Qt library. (6.9.0) [release]";

// A piece of a line as the texts make it: a text, with the pieces that
// stand for its %1 and %2; or a value as it stands.
struct Piece {
    std::string_view Text;
    std::vector<Piece> Parts = {};
};

// Returns the piece as the texts make it, adding each text it uses to `used`.
std::string Made(const Piece& piece, std::set<std::string_view>& used)
{
    used.insert(piece.Text);
    std::string made(piece.Text);
    for (std::size_t i = 0; i < piece.Parts.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        made.replace(made.find(mark), mark.size(), Made(piece.Parts[i], used));
    }
    return made;
}

}  // namespace

TEST(FailureLine, IsTheOneTheManualPageQuotes)
{
    const ScopedEnvironment::Variables noDisplay = {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    const ScopedEnvironment::Variables x = {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", std::nullopt}};
    struct Case {
        ScopedEnvironment::Variables environment;
        std::function<std::string()> line;
        std::string expected;
    };
    const auto failed = [](std::vector<Attempt> attempts) { return [=] { return FailureLine(attempts); }; };
    const std::vector<Case> cases = {
        {x, failed({{"xcb", Loaded}}), R"(cannot open the display ":0")"},
        {noDisplay, failed({{"xcb", Loaded}}), "cannot open the display: DISPLAY is not set"},
        {noDisplay, failed({{"wayland", Missing}}), R"(cannot find the Qt platform "wayland")"},
        {x, failed({{"xcb", Unloadable(NoLibrary)}}), R"(cannot load the Qt platform "xcb": )" + NoLibrary},
        {x, failed({{"eglfs", Loaded}}), R"(the Qt platform "eglfs" could not start)"},
        {noDisplay, [] { return NoScreenLine("linuxfb"); }, R"(the Qt platform "linuxfb" started but has no screen)"},
        {noDisplay, [] { return VulkanOnlyLine("vkkhrdisplay"); },
         R"(the Qt platform "vkkhrdisplay" shows only Vulkan windows)"},
        {{{"WAYLAND_DISPLAY", "wayland-1"}},
         failed({{"wayland", Loaded}}),
         R"(cannot open the display "wayland-1" (Qt platform "wayland"))"},
        {noDisplay, failed({{"wayland", Loaded}, {"xcb", Loaded}}),
         R"(cannot open the display: tried Wayland (WAYLAND_DISPLAY is not set, so "wayland-0"), then X11 (DISPLAY is not set))"},
        {{{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", ""}},
         failed({{"wayland", Loaded}, {"xcb", Loaded}}),
         "cannot open the display: tried Wayland (WAYLAND_DISPLAY is empty), then X11 (DISPLAY is not set)"},
        {x, failed({{"wayland", Missing}, {"xcb", Loaded}}),
         R"(cannot open a window: tried Wayland (not installed), then X11 (DISPLAY ":0"))"},
        {x, failed({{"vnc", Unloadable(AnotherQt)}, {"eglfs", Loaded}}),
         R"(cannot open a window: tried Qt platform "vnc" (cannot load: )" + AnotherQt +
             R"(), then Qt platform "eglfs" (could not start))"},
        {x, failed({}), "cannot open a window: Qt tried no platform"},
    };
    const std::string manual = ManualPage();
    ASSERT_FALSE(manual.empty()) << BRISVANE_MANUAL_PAGE;
    std::vector<std::string> lines;
    for (const Case& c : cases) {
        const ScopedEnvironment environment(c.environment);
        lines.push_back(c.line());
        EXPECT_EQ(lines.back(), c.expected);
        EXPECT_NE(manual.find("\n" + (Texts::StandardErrorPrefix + lines.back()) + "\n"), manual.npos) << lines.back();
    }

    // Between them, the lines say every text there is for it, each in its
    // place: these are some of them as the texts make them, whole.
    const Piece x11{Texts::X11}, wayland{Texts::Wayland};
    const Piece vnc{Texts::OtherPlatform, {{R"("vnc")"}}}, eglfs{Texts::OtherPlatform, {{R"("eglfs")"}}};
    const Piece noX{Texts::VariableNotSet, {{"DISPLAY"}}};
    const std::vector<Piece> made = {
        {Texts::DisplayNotOpened, {{R"(":0")"}}},
        {Texts::DisplayNotOpenedBecause, {noX}},
        {Texts::PlatformNotFound, {{R"("wayland")"}}},
        {Texts::PlatformNotLoaded, {{R"("xcb")"}, {NoLibrary}}},
        {Texts::PlatformNotStarted, {{R"("eglfs")"}}},
        {Texts::PlatformWithoutScreen, {{R"("linuxfb")"}}},
        {Texts::PlatformForVulkanOnly, {{R"("vkkhrdisplay")"}}},
        {Texts::OnPlatform, {{Texts::DisplayNotOpened, {{R"("wayland-1")"}}}, {R"("wayland")"}}},
        {Texts::DisplaysTried,
         {{Texts::ThenTried,
           {{Texts::TriedDisplay, {wayland, {Texts::VariableNotSetSo, {{"WAYLAND_DISPLAY"}, {R"("wayland-0")"}}}}},
            {Texts::TriedDisplay, {x11, noX}}}}}},
        {Texts::DisplaysTried,
         {{Texts::ThenTried,
           {{Texts::TriedDisplay, {wayland, {Texts::VariableEmpty, {{"WAYLAND_DISPLAY"}}}}},
            {Texts::TriedDisplay, {x11, noX}}}}}},
        {Texts::PlatformsTried,
         {{Texts::ThenTried,
           {{Texts::TriedNotInstalled, {wayland}},
            {Texts::TriedDisplay, {x11, {Texts::NamedDisplay, {{"DISPLAY"}, {R"(":0")"}}}}}}}}},
        {Texts::PlatformsTried,
         {{Texts::ThenTried, {{Texts::TriedNotLoaded, {vnc, {AnotherQt}}}, {Texts::TriedNotStarted, {eglfs}}}}}},
        {Texts::NoPlatformTried},
    };
    std::set<std::string_view> used;
    for (const Piece& piece : made) {
        const std::string line = Made(piece, used);
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
#define BRISVANE_TEXT_USED(name, text) EXPECT_TRUE(used.contains(Texts::name)) << #name;
    BRISVANE_NO_WINDOW_TEXTS(BRISVANE_TEXT_USED)
#undef BRISVANE_TEXT_USED
}

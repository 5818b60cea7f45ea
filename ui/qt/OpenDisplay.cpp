#include "OpenDisplay.h"

#include "PlatformPlugin.h"
#include "QuoteForMessage.h"
#include "StandardError.h"
#include "Texts.h"

#include <QMessageLogContext>
#include <QScopeGuard>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace Brisvane {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;

    // A message without a category keeps none, rather than an empty one,
    // which Qt's format would show as ": ".
    QMessageLogContext Context() const
    {
        return QMessageLogContext(nullptr, 0, nullptr, category.isEmpty() ? nullptr : category.constData());
    }
};

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The platforms Qt tries, in its order: the list in QT_QPA_PLATFORM where it
// is set; otherwise X11, after Wayland in a Wayland session.
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

bool IsWayland(std::string_view platform)
{
    return platform.starts_with("wayland");
}

// Only X11 and Wayland are reached through a display that a variable names;
// the others (offscreen, minimal, vnc, eglfs...) need none or a device.
bool HasDisplay(std::string_view platform)
{
    return platform == "xcb" || IsWayland(platform);
}

std::string Title(std::string_view platform)
{
    return platform == "xcb" ? "X11" : IsWayland(platform) ? "Wayland" : "Qt platform " + QuoteForMessage(platform);
}

// The display a platform tried, after the variable that names it where
// `named`: `DISPLAY ":0"`, `DISPLAY is not set`, or for Wayland without its
// variable the socket libwayland falls back on.
std::string DisplayTried(std::string_view platform, bool named)
{
    const std::string variable = IsWayland(platform) ? "WAYLAND_DISPLAY" : "DISPLAY";
    const std::string name = Variable(variable.c_str());
    if (!name.empty())
        return (named ? variable + " " : "") + QuoteForMessage(name);
    return variable + " is not set" + (IsWayland(platform) ? ", so \"wayland-0\"" : "");
}

// One platform Qt tried, and how it failed.
struct Attempt {
    std::string Platform;
    PlatformPlugin Plugin;

    bool MissedItsDisplay() const { return Plugin.State == PluginState::Ran && HasDisplay(Platform); }

    // As one of several: `X11 (DISPLAY ":0")`, `Wayland (not installed)`.
    std::string Described() const
    {
        switch (Plugin.State) {
        case PluginState::Missing: return Title(Platform) + " (not installed)";
        case PluginState::Unloadable: return Title(Platform) + " (cannot load: " + Plugin.Reason + ")";
        case PluginState::Ran: break;
        }
        return Title(Platform) +
               (HasDisplay(Platform) ? " (" + DisplayTried(Platform, true) + ")" : " (could not start)");
    }

    // As the only one: a sentence of its own.
    std::string Sentence() const
    {
        const std::string quoted = QuoteForMessage(Platform);
        switch (Plugin.State) {
        case PluginState::Missing: return "cannot find the Qt platform " + quoted;
        case PluginState::Unloadable: return "cannot load the Qt platform " + quoted + ": " + Plugin.Reason;
        case PluginState::Ran: break;
        }
        if (!HasDisplay(Platform))
            return "the Qt platform " + quoted + " could not start";
        const std::string tried = DisplayTried(Platform, false);
        std::string sentence = "cannot open the display" + (tried.starts_with('"') ? " " + tried : ": " + tried);
        if (Platform != "xcb")
            sentence += " (Qt platform " + quoted + ")";
        return sentence;
    }
};

// Brisvane's own line: what failed, and where a display was tried, which.
std::string FailureLine(const std::vector<Attempt>& attempts)
{
    if (attempts.size() == 1)
        return attempts.front().Sentence();
    const bool displays =
        std::all_of(attempts.begin(), attempts.end(), [](const Attempt& a) { return a.MissedItsDisplay(); });
    std::string line = displays ? "cannot open the display: tried " : "cannot open a window: tried ";
    for (std::size_t i = 0; i < attempts.size(); ++i)
        line += (i == 0 ? "" : ", then ") + attempts[i].Described();
    return line;
}

std::string Formatted(const HeldMessage& message)
{
    return qFormatLogMessage(message.type, message.Context(), message.text).toStdString() + "\n";
}

// Where Qt's message handler, a plain function, finds the messages that the
// OpenDisplay in progress holds back.
std::vector<HeldMessage>* held = nullptr;

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held->push_back(HeldMessage{type, context.category, text});
        return;
    }
    // Whatever asking the plugins below makes Qt say is held, unshown.
    std::vector<HeldMessage> messages = std::move(*held);
    std::vector<Attempt> attempts;
    for (const std::string& platform : PlatformsTried())
        attempts.push_back({platform, FindPlatformPlugin(platform)});
    std::string report = Texts::StandardErrorPrefix + FailureLine(attempts) + "\n";
    // Then Qt's own reasons. Its last word advises reinstalling the program,
    // which is no help where a display was all that was missing.
    for (const HeldMessage& message : messages)
        report += Formatted(message);
    if (!std::all_of(attempts.begin(), attempts.end(), [](const Attempt& a) { return a.MissedItsDisplay(); }))
        report += Formatted({type, context.category, text.trimmed()});
    WriteToStandardError(report);
    // Qt would abort after this handler; nothing is set up yet that
    // needs tearing down, so leave at once.
    std::_Exit(1);
}

}  // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    std::vector<HeldMessage> messages;
    held = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(HoldOrFail);
    std::unique_ptr<QApplication> application;
    {
        // Qt's handler as found, however the application object's making ends.
        const auto restore = qScopeGuard([previous] {
            qInstallMessageHandler(previous);
            held = nullptr;
        });
        application = std::make_unique<QApplication>(argc, argv);
    }
    for (const HeldMessage& message : messages)
        qt_message_output(message.type, message.Context(), message.text);
    return application;
}

}  // namespace Brisvane

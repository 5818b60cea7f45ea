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
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

namespace Brisvane {
namespace {

struct HeldMessage {
    QtMsgType Type;
    QByteArray Category;
    QString Text;

    // A message without a category keeps none, rather than an empty one,
    // which Qt's format would show as ": ".
    QMessageLogContext Context() const
    {
        return QMessageLogContext(nullptr, 0, nullptr, Category.isEmpty() ? nullptr : Category.constData());
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
    return qFormatLogMessage(message.Type, message.Context(), message.Text).toStdString() + "\n";
}

// What Qt says while the application object is made. Qt calls its message
// handler from whichever thread speaks, and making the application starts
// threads of Qt's own (the X connection's reader, D-Bus), so the messages
// are held under a lock. A thread may still call the handler after the hold
// has ended and Qt's handler as found is back: it is passed on to that one.
struct MessageHold {
    std::mutex Lock;
    bool Holding = false;
    QtMessageHandler Previous = nullptr;
    std::vector<HeldMessage> Messages;
};

// Whether this thread is passing the held messages on, holding the lock: a
// message that Qt's handler as found says meanwhile goes straight to it.
thread_local bool passingOn = false;

// Never destroyed, for a thread of Qt's that speaks while the process ends.
MessageHold& Hold()
{
    static MessageHold* const hold = new MessageHold;
    return *hold;
}

// The held messages so far, taken out of the hold, which goes on.
std::vector<HeldMessage> TakeHeld()
{
    MessageHold& hold = Hold();
    const std::lock_guard lock(hold.Lock);
    return std::exchange(hold.Messages, {});
}

// Where Qt found no platform that would start: Qt would abort after this.
[[noreturn]] void Fail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // Whatever asking the plugins below makes Qt say is held, unshown.
    std::vector<HeldMessage> messages = TakeHeld();
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
    // Nothing is set up yet that needs tearing down, so leave at once.
    std::_Exit(1);
}

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    MessageHold& hold = Hold();
    if (passingOn) {
        hold.Previous(type, context, text);
        return;
    }
    std::unique_lock lock(hold.Lock);
    if (!hold.Holding) {
        const QtMessageHandler previous = hold.Previous;
        lock.unlock();
        previous(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        lock.unlock();
        Fail(type, context, text);
    }
    hold.Messages.push_back(HeldMessage{type, context.category, text});
}

void BeginHold()
{
    MessageHold& hold = Hold();
    const std::lock_guard lock(hold.Lock);
    hold.Holding = true;
    hold.Previous = qInstallMessageHandler(HoldOrFail);
}

// Passes the held messages on to Qt's handler as found, in order, and puts
// it back. Another thread that speaks meanwhile waits, and then passes its
// message on itself, so that each thread's messages keep their order.
void EndHold()
{
    MessageHold& hold = Hold();
    {
        const std::lock_guard lock(hold.Lock);
        passingOn = true;
        for (const HeldMessage& message : hold.Messages)
            hold.Previous(message.Type, message.Context(), message.Text);
        passingOn = false;
        hold.Messages.clear();
        hold.Holding = false;
    }
    qInstallMessageHandler(hold.Previous);
}

}  // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    BeginHold();
    // However the making ends, what is held is passed on and Qt's handler
    // put back.
    const auto end = qScopeGuard(EndHold);
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace Brisvane

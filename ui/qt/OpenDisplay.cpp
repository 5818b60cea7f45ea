#include "OpenDisplay.h"

#include "QuoteForMessage.h"
#include "Texts.h"

#include <QMessageLogContext>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace Brisvane {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
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
        if (end > 0)
            platforms.emplace_back(list.substr(0, end));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    if (!platforms.empty())
        return platforms;
    if (!Variable("WAYLAND_DISPLAY").empty() || Variable("XDG_SESSION_TYPE") == "wayland")
        return {"wayland", "xcb"};
    return {"xcb"};
}

const char* DisplayVariable(std::string_view platform)
{
    return platform.starts_with("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY";
}

// One of several tries: `Wayland (WAYLAND_DISPLAY "wayland-0")`, `X11 (DISPLAY is not set)`.
std::string Attempt(std::string_view platform)
{
    const std::string title = platform == "xcb"                 ? "X11"
                              : platform.starts_with("wayland") ? "Wayland"
                                                                : "Qt platform " + QuoteForMessage(platform);
    const std::string name = Variable(DisplayVariable(platform));
    return title + " (" + DisplayVariable(platform) + (name.empty() ? " is not set" : " " + QuoteForMessage(name)) +
           ")";
}

// The line that names the display: `cannot open the display ":0"`, with
// the Qt platform when one is chosen other than X11's; where Qt tries more
// than one (Wayland, then X11, in a Wayland session), each in turn with its
// display.
std::string DisplayFailureMessage()
{
    const std::vector<std::string> platforms = PlatformsTried();
    std::string message = "cannot open the display";
    if (platforms.size() > 1) {
        message += ": tried " + Attempt(platforms.front());
        for (std::size_t i = 1; i < platforms.size(); ++i)
            message += ", then " + Attempt(platforms[i]);
        return message;
    }
    // One platform, as on most desktops: the display by its name alone.
    const std::string& platform = platforms.front();
    const std::string name = Variable(DisplayVariable(platform));
    if (name.empty())
        message += std::string(": ") + DisplayVariable(platform) + " is not set";
    else
        message += " " + QuoteForMessage(name);
    if (platform != "xcb")
        message += " (Qt platform " + QuoteForMessage(platform) + ")";
    return message;
}

// Where Qt's message handler, a plain function, finds the messages that the
// OpenDisplay in progress holds back.
std::vector<HeldMessage>* held = nullptr;

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s%s\n", Texts::StandardErrorPrefix, DisplayFailureMessage().c_str());
        std::fflush(stderr);
        // Qt would abort after this handler; nothing is set up yet that
        // needs tearing down, so leave at once.
        std::_Exit(1);
    }
    held->push_back(HeldMessage{type, context.category, text});
}

}  // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    std::vector<HeldMessage> messages;
    held = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(HoldOrFail);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    held = nullptr;
    for (const HeldMessage& message : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return application;
}

}  // namespace Brisvane

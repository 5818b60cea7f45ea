#include "OpenDisplay.h"

#include "FailureLine.h"
#include "StandardError.h"
#include "Texts.h"

#include <QLoggingCategory>
#include <QMessageLogContext>
#include <QScopeGuard>
#include <QScreen>
#include <QString>

#include <cstdlib>
#include <mutex>
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

std::string Formatted(const HeldMessage& message)
{
    return qFormatLogMessage(message.Type, message.Context(), message.Text).toStdString() + "\n";
}

// Brisvane's line, then what Qt said, in the order it said it.
std::string Report(const std::string& line, const std::vector<HeldMessage>& messages)
{
    std::string report = Texts::StandardErrorPrefix + line + "\n";
    for (const HeldMessage& message : messages)
        report += Formatted(message);
    return report;
}

// Qt's closing advice where no platform started, which is no help where a
// display was all that was missing.
const QString ReinstallAdvice = QStringLiteral(" Reinstalling the application may fix this problem.");

// Where Qt found no platform that would start: Qt would abort after this.
[[noreturn]] void Fail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    std::vector<HeldMessage> messages = TakeHeld();
    // Asking the plugins makes Qt say again what it has said (a plugin of
    // another Qt's, say); inside its message handler Qt writes that straight
    // to standard error, ahead of the program's line.
    QLoggingCategory::installFilter([](QLoggingCategory* category) {
        for (const QtMsgType silenced : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg})
            category->setEnabled(silenced, false);
    });
    // Qt gives up at a platform that fails on its own terms (eglfs with no
    // DRM device): it never tried those after it.
    std::vector<Attempt> attempts;
    for (const std::string& platform : PlatformsTried()) {
        const PlatformPlugin plugin = FindPlatformPlugin(platform);
        if (plugin.State == PluginState::Untried && !attempts.empty())
            break;
        attempts.push_back({platform, plugin});
    }
    QString fatal = text.trimmed();
    if (OnlyDisplaysFailed(attempts))
        fatal.remove(ReinstallAdvice);
    messages.push_back({type, context.category, fatal});
    WriteToStandardError(Report(FailureLine(attempts), messages));
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

// The vkkhrdisplay platform starts with a screen (a stand-in until a Vulkan
// instance asks the display for its size) and makes a window of any kind,
// but shows only Vulkan ones: a widget is painted into an image that nobody
// sees. Nothing Qt answers at start-up tells it apart but its name.
bool ShowsOnlyVulkanWindows(const std::string& platform)
{
    return platform == "vkkhrdisplay";
}

}  // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv)
{
    BeginHold();
    // However the making ends, what is held is passed on and Qt's handler
    // put back.
    const auto end = qScopeGuard(EndHold);
    auto application = std::make_unique<QApplication>(argc, argv);

    // A platform that started may still have nowhere to put a window: Qt
    // would abort once the window is made, or show it nowhere.
    const std::string platform = QGuiApplication::platformName().toStdString();
    std::string line;
    if (QGuiApplication::screens().isEmpty())
        line = NoScreenLine(platform);
    else if (ShowsOnlyVulkanWindows(platform))
        line = VulkanOnlyLine(platform);
    if (line.empty())
        return application;
    WriteToStandardError(Report(line, TakeHeld()));
    // Torn down as usual: a console platform gives the keyboard back.
    application.reset();
    return nullptr;
}

}  // namespace Brisvane

#include "OpenDisplay.h"

#include "FailureLine.h"
#include "StandardError.h"
#include "Texts.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QLoggingCategory>
#include <QMessageLogContext>
#include <QScopeGuard>
#include <QScreen>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
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

// Returns whether Qt is to abort after one of the messages that `variable`
// counts (QT_FATAL_WARNINGS warnings, QT_FATAL_CRITICALS criticals), read
// as Qt reads it: unset or empty, never; a number in C's notation, after
// the message it counts to, where it is above 0; any other text, after the
// first.
bool AbortsOn(const char* variable)
{
    const QByteArray value = qgetenv(variable);
    if (value.isEmpty())
        return false;
    bool isNumber = false;
    const int count = value.toInt(&isNumber, 0);
    return !isNumber || count > 0;
}

// What Qt says while the application object is made. Qt calls its message
// handler from whichever thread speaks, and making the application starts
// threads of Qt's own (the X connection's reader, D-Bus), so the messages
// are held under a lock, and Qt's handler as found is called with the lock
// held. A thread may still call the handler after the hold has ended and
// Qt's handler as found is back: it is passed on to that one.
struct MessageHold {
    std::mutex Lock;
    bool Holding = false;
    QtMessageHandler Previous = nullptr;
    std::vector<HeldMessage> Messages;
    // The platforms Qt is to try, read before it tries them.
    std::vector<std::string> Platforms;
    // Whether Qt's debugging variables make it abort after a warning, or a
    // critical message. Qt counts them itself, so each is passed on at once.
    bool AbortsOnWarning = false;
    bool AbortsOnCritical = false;

    bool AbortsAfter(QtMsgType type) const
    {
        return (type == QtWarningMsg && AbortsOnWarning) || (type == QtCriticalMsg && AbortsOnCritical);
    }
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

// Returns and clears the held messages; holding goes on.
std::vector<HeldMessage> TakeHeld()
{
    MessageHold& hold = Hold();
    const std::lock_guard lock(hold.Lock);
    return std::exchange(hold.Messages, {});
}

// Passes the held messages on to Qt's handler as found, in order, and
// clears them. Called with the lock held.
void PassOn(MessageHold& hold)
{
    passingOn = true;
    for (const HeldMessage& message : hold.Messages)
        hold.Previous(message.Type, message.Context(), message.Text);
    passingOn = false;
    hold.Messages.clear();
}

std::string Formatted(const HeldMessage& message)
{
    return qFormatLogMessage(message.Type, message.Context(), message.Text).toStdString() + "\n";
}

// Returns Brisvane's line, then what Qt said, in the order it said it.
std::string Report(const std::string& line, const std::vector<HeldMessage>& messages)
{
    std::string report = Texts::StandardErrorPrefix + line + "\n";
    for (const HeldMessage& message : messages)
        report += Formatted(message);
    return report;
}

// Qt's words where it gave up on every platform, and its closing advice,
// which is no help where a display was all that was missing.
constexpr QLatin1StringView NoPlatformStarted("no Qt platform plugin could be initialized");
constexpr QLatin1StringView ReinstallAdvice(" Reinstalling the application may fix this problem.");

// Returns the platforms Qt tried, and how far each got. Where Qt gave up on
// them all, it tried each. Otherwise the last whose plugin Qt loaded gave
// up on its own terms (eglfs with no DRM device), and Qt never reached
// those after it: nothing of theirs is loaded.
std::vector<Attempt> AttemptsMade(const std::vector<std::string>& platforms, const QString& fatal)
{
    auto reached = platforms.end();
    if (!fatal.contains(NoPlatformStarted))
        reached = std::find_if(platforms.rbegin(), platforms.rend(), IsPlatformLoaded).base();
    std::vector<Attempt> attempts;
    for (auto platform = platforms.begin(); platform != reached; ++platform)
        attempts.push_back({*platform, FindPlatformPlugin(*platform)});
    return attempts;
}

// Where Qt found no platform that would start: Qt would abort after this.
// Called with the lock held, which is kept to the end: a message from
// another thread waits, and so does the end of the hold, so that nothing
// is passed on beside the report.
[[noreturn]] void Fail(QtMsgType type, const QMessageLogContext& context, const QString& text,
                       std::vector<HeldMessage> messages, const std::vector<std::string>& platforms)
{
    // Asking the plugins makes Qt say again what it has said (a plugin of
    // another Qt's, say); inside its message handler Qt writes that straight
    // to standard error, ahead of the program's line.
    QLoggingCategory::installFilter([](QLoggingCategory* category) {
        for (const QtMsgType silenced : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg})
            category->setEnabled(silenced, false);
    });
    const std::vector<Attempt> attempts = AttemptsMade(platforms, text);
    QString fatal = text.trimmed();
    if (OnlyDisplaysFailed(attempts))
        fatal.remove(ReinstallAdvice);
    messages.push_back({type, context.category, fatal});
    WriteToStandardError(Report(FailureLine(attempts), messages));
    // Nothing is set up yet that needs tearing down, so leave at once.
    std::_Exit(1);
}

// Holds a message while the application object is made; hands it to Qt's
// handler as found otherwise.
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
    if (type == QtFatalMsg)
        Fail(type, context, text, std::exchange(hold.Messages, {}), hold.Platforms);
    hold.Messages.push_back(HeldMessage{type, context.category, text});
    // Qt aborts once this returns where the message is the one it counts
    // to, so the message is passed on now, after those before it.
    if (hold.AbortsAfter(type))
        PassOn(hold);
}

void BeginHold()
{
    MessageHold& hold = Hold();
    const std::lock_guard lock(hold.Lock);
    hold.Holding = true;
    hold.Platforms = PlatformsTried();
    hold.AbortsOnWarning = AbortsOn("QT_FATAL_WARNINGS");
    hold.AbortsOnCritical = AbortsOn("QT_FATAL_CRITICALS");
    hold.Previous = qInstallMessageHandler(HoldOrFail);
}

// Passes the held messages on, and puts Qt's handler as found back. Another
// thread that speaks meanwhile waits, and then passes its message on
// itself, so that each thread's messages keep their order.
void EndHold()
{
    MessageHold& hold = Hold();
    {
        const std::lock_guard lock(hold.Lock);
        PassOn(hold);
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

#include "OpenDisplay.h"

#include "FailureLine.h"
#include "StandardError.h"
#include "Texts.h"

#include <QMessageLogContext>
#include <QScopeGuard>
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
    if (!OnlyDisplaysFailed(attempts))
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

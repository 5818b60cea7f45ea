#include "DisplayFailure.h"

#include "QuoteForMessage.h"

#include <QMessageLogContext>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace Brisvane {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage>* held = nullptr;

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "brisvane: %s\n", DisplayFailureMessage().c_str());
        std::fflush(stderr);
        // Qt would abort after this handler; nothing is set up yet that
        // needs tearing down, so leave at once.
        std::_Exit(1);
    }
    held->push_back(HeldMessage{type, context.category, text});
}

}  // namespace

DisplayFailureGuard::DisplayFailureGuard()
{
    held = new std::vector<HeldMessage>;
    previousHandler = qInstallMessageHandler(HoldOrFail);
}

DisplayFailureGuard::~DisplayFailureGuard()
{
    Release();
}

void DisplayFailureGuard::Release()
{
    if (held == nullptr)
        return;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : *held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    delete held;
    held = nullptr;
}

std::string DisplayFailureMessage()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platformName = platform && *platform ? platform : "xcb";
    const char* variable = platformName.starts_with("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY";
    const char* name = std::getenv(variable);

    std::string message = "cannot open the display";
    if (name && *name)
        message += " " + QuoteForMessage(name);
    else
        message += std::string(": ") + variable + " is not set";
    if (platformName != "xcb")
        message += " (Qt platform " + QuoteForMessage(platformName) + ")";
    return message;
}

}  // namespace Brisvane

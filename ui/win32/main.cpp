// The Windows program: the form over its Win32 view.

#include "Brisvanefrm.h"
#include "CommandLine.h"
#include "EventDispatch.h"
#include "RegionalFormat.h"
#include "Win32View.h"
#include "ZoneSource.h"

#include <windows.h>

#include <optional>
#include <string_view>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // The whole line, as the process was given it: the value may hold blanks
    // and quotes, which the C runtime's split into arguments would lose.
    const std::wstring_view line = ::GetCommandLineW();
    const std::string commandLine = Brisvane::CommandLineText(std::u16string(line.begin(), line.end()));

    const Brisvane::SystemZoneSource zone;
    const auto format = Brisvane::UserRegionalFormat();
    std::optional<Brisvane::Win32View> view;
    try {
        view.emplace(instance);
    } catch (const std::exception& error) {
        // The window could not be made, so the report has no window to
        // stand over; without it the program would wait, unseen, forever.
        Brisvane::ReportUnhandledError(error, [](const Brisvane::UnhandledErrorReport& report) {
            Brisvane::ShowUnhandledErrorReport(nullptr, report);
        });
        return Brisvane::UnhandledErrorExitStatus;
    }
    Brisvane::Brisvanefrm form(*view, zone, *format, commandLine);
    view->Connect(form);
    if (!Brisvane::RunEventHandler(*view, [&] { form.Form_Load(); }))
        return Brisvane::UnhandledErrorExitStatus;
    return view->Run();
}

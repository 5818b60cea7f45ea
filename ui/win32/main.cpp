// The Windows program: the form over its Win32 view.

#include "Brisvanefrm.h"
#include "CommandLine.h"
#include "EventDispatch.h"
#include "RegionalFormat.h"
#include "Win32View.h"
#include "ZoneSource.h"

#include <windows.h>

#include <string_view>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // The whole line, as the process was given it: the value may hold blanks
    // and quotes, which the C runtime's split into arguments would lose.
    const std::wstring_view line = ::GetCommandLineW();
    const std::string commandLine = Brisvane::CommandLineText(std::u16string(line.begin(), line.end()));

    const Brisvane::SystemZoneSource zone;
    const auto format = Brisvane::UserRegionalFormat();
    Brisvane::Win32View view(instance);
    Brisvane::Brisvanefrm form(view, zone, *format, commandLine);
    view.Connect(form);
    if (!Brisvane::RunEventHandler(view, [&] { form.Form_Load(); }))
        return Brisvane::UnhandledErrorExitStatus;
    return view.Run();
}

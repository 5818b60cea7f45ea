// The Windows program: the form over its Win32 view.

#include "CommandLine.h"
#include "DllSearch.h"
#include "Program.h"
#include "RegionalFormat.h"
#include "Win32View.h"
#include "ZoneSource.h"

#include <windows.h>

#include <string_view>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    Brisvane::RestrictDllSearch();

    // The whole line, as the process was given it: the value may hold blanks
    // and quotes, which the C runtime's split into arguments would lose.
    const std::wstring_view line = ::GetCommandLineW();
    const std::string commandLine = Brisvane::CommandLineText(std::u16string(line.begin(), line.end()));

    try {
        const Brisvane::SystemZoneSource zone;
        const auto format = Brisvane::UserRegionalFormat();
        Brisvane::Program<Brisvane::Win32View> program(zone, *format, commandLine, instance);
        return program.Run();
    } catch (const std::exception& error) {
        // Only the window's making fails here: the report has no window to
        // stand over, and without it the program would wait unseen forever.
        Brisvane::ReportUnhandledError(error, [](const Brisvane::UnhandledErrorReport& report) {
            Brisvane::ShowUnhandledErrorReport(nullptr, report);
        });
        return Brisvane::UnhandledErrorExitStatus;
    }
}

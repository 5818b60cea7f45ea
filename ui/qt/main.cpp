// The Linux program: the form over its Qt view.

#include "CommandLine.h"
#include "Fonts.h"
#include "OpenDisplay.h"
#include "Product.h"
#include "Program.h"
#include "QtView.h"
#include "RegionalFormat.h"
#include "StandardStreams.h"
#include "Utf8FromCharsetPosix.h"
#include "ZoneSource.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Brisvane::ProtectStandardStreams();

    // The whole command line is the epoch value. Qt gets none of it, so that
    // a value such as "-5" or "-reverse" is never taken as a toolkit option;
    // Qt's own settings come from its environment variables. It arrives in
    // the character set the user types in, which Qt, wanting UTF-8, may
    // switch away from while it starts.
    const std::string commandLine =
        Brisvane::Utf8FromCharset(Brisvane::CommandLineText(argc, argv), Brisvane::UserCharset().c_str());
    char fallbackName[] = "brisvane";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : fallbackName, nullptr};
    const std::unique_ptr<QApplication> application = Brisvane::OpenDisplay(qtArgc, qtArgv);
    if (!application)
        return 1;  // no window can open, and OpenDisplay has said why
    QApplication::setApplicationName(QStringLiteral(BRISVANE_NAME));
    QApplication::setApplicationVersion(QStringLiteral(BRISVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(BRISVANE_APP_ID));
    Brisvane::InstallFontSubstitutes();

    const Brisvane::SystemZoneSource zone;
    const auto format = Brisvane::UserRegionalFormat();
    Brisvane::Program<Brisvane::QtView> program(zone, *format, commandLine);
    return program.Run();
}

#pragma once

#include "Currency.h"
#include "FormView.h"
#include "RegionalFormat.h"
#include "SerialDate.h"
#include "ZoneSource.h"

#include <cstdint>
#include <optional>
#include <string>

namespace Brisvane {

// The program's one window: the epoch value, its local date and time, and
// the zone offset in hours. This is its logic, the same for every toolkit;
// the toolkit's view shows it. It never reads a box: what the user types
// there is never used.
//
// Errors are not handled here: they leave Form_Load and Command1_Click for
// the event dispatch (EventDispatch.h), which reports them and ends the
// program.
class Brisvanefrm {
public:
    // `commandLine` is the text after the program's name (empty for none).
    // The zone source and the regional formats are the platform's in the
    // program and fakes in tests. All four must outlive the form.
    Brisvanefrm(FormView& view, const ZoneSource& zoneSource, const RegionalFormat& format, std::string commandLine);

    // Start-up, once the window exists and before it is shown: reads the
    // zone offset, shows the window, takes the command line and runs the
    // first request.
    void Form_Load();

    // The click of "convert": one more request.
    void Command1_Click();

    // One conversion request: the command-line value the first time there
    // is one, otherwise a value asked for at the prompt. A value below 1 is
    // refused with the error box.
    void NewDate();

    // The epoch value as local time, with the offset read at start-up.
    SerialDate Epoch2Date(Currency EpochTime) const;

private:
    // Reads the machine's zone once and writes its offset in hours into
    // Zone; returns the offset in seconds, or none where the platform could
    // not tell, leaving Zone as it was.
    std::optional<std::int32_t> GetZoneOffset();
    void ShowInvalidEpoch();

    FormView& view_;
    const ZoneSource& zoneSource_;
    const RegionalFormat& format_;
    const std::string commandLine_;
    // How the date texts name their zone: the one the start-up offset is of.
    ZoneLabel zoneLabel_;

    std::int32_t OffsetSecs = 0;
    std::string CmdText;
    std::int32_t EpochValue = 0;
};

}  // namespace Brisvane

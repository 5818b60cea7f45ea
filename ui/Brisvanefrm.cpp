#include "Brisvanefrm.h"

#include "DateText.h"
#include "Epoch2Date.h"
#include "EpochText.h"
#include "Error.h"
#include "NumberText.h"

#include <chrono>

namespace Brisvane {
namespace {

const std::string PromptTitle = "Epoch to Local Date";
const std::string PromptMessage = "Enter Epoch date (Unix timestamp):";
const std::string ErrorTitle = "Error";
const std::string ErrorMessage = "Invalid Epoch date entered.";

}  // namespace

Brisvanefrm::Brisvanefrm(FormView& view, const ZoneSource& zoneSource, const RegionalFormat& format,
                         std::string commandLine)
    : view(view), zoneSource(zoneSource), format(format), commandLine(std::move(commandLine))
{
}

void Brisvanefrm::Form_Load()
{
    OffsetSecs = GetZoneOffset().value_or(0);
    view.Show();
    if (!commandLine.empty()) {
        CmdText = commandLine;
        EpochValue = ParseEpochStrict(CmdText, format.DecimalSeparator());
        view.SetText(TextBox::EpochDate, EpochText(EpochValue));
    }
    NewDate();
}

void Brisvanefrm::Command1_Click()
{
    NewDate();
}

void Brisvanefrm::NewDate()
{
    if (CmdText.empty()) {
        // Cancel gives an empty text, which reads as 0 and is refused below.
        const std::string answer = view.Prompt(PromptTitle, PromptMessage);
        try {
            EpochValue = ParseEpochLeading(answer);
        } catch (const Error&) {
            // A value past the 32-bit range (a millisecond timestamp, say) is
            // a mistyped answer like any other: say so and keep the window,
            // with the boxes as they were.
            ShowInvalidEpoch();
            return;
        }
        view.SetText(TextBox::EpochDate, EpochText(EpochValue));
    }
    CmdText.clear();

    if (EpochValue < 1) {
        ShowInvalidEpoch();
        return;
    }
    view.SetText(TextBox::LocalDate, DateText(Epoch2Date(Currency::Widen(EpochValue)), zoneLabel, format));
}

SerialDate Brisvanefrm::Epoch2Date(Currency EpochTime) const
{
    return Brisvane::Epoch2Date(EpochTime, OffsetSecs);
}

std::optional<std::int32_t> Brisvanefrm::GetZoneOffset()
{
    const ZoneOffset offset = ComputeZoneOffset(zoneSource.Query(std::chrono::system_clock::now()));
    if (offset.Hours)
        view.SetText(TextBox::Zone, NumberText(*offset.Hours, format.DecimalSeparator()));
    zoneLabel = offset.Label;
    return offset.Seconds;
}

void Brisvanefrm::ShowInvalidEpoch()
{
    view.ShowError(ErrorTitle, ErrorMessage);
}

}  // namespace Brisvane

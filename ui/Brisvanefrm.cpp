#include "Brisvanefrm.h"

#include "DateText.h"
#include "Epoch2Date.h"
#include "EpochText.h"
#include "Error.h"
#include "NumberText.h"
#include "ParseEpochLeading.h"
#include "ParseEpochStrict.h"
#include "Texts.h"

#include <chrono>

namespace Brisvane {

Brisvanefrm::Brisvanefrm(FormView& view, const ZoneSource& zoneSource, const RegionalFormat& format,
                         std::string commandLine)
    : view_(view), zoneSource_(zoneSource), format_(format), commandLine_(std::move(commandLine))
{
}

void Brisvanefrm::Form_Load()
{
    OffsetSecs = GetZoneOffset().value_or(0);
    view_.Show();
    if (!commandLine_.empty()) {
        CmdText = commandLine_;
        EpochValue = ParseEpochStrict(CmdText, format_.DecimalSeparator());
        view_.SetText(TextBox::EpochDate, EpochText(EpochValue));
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
        const std::string answer = view_.Prompt(Texts::PromptTitle, Texts::PromptMessage);
        try {
            EpochValue = ParseEpochLeading(answer);
        } catch (const Error&) {
            // A value past the 32-bit range (a millisecond timestamp, say) is
            // a mistyped answer like any other: say so and keep the window,
            // with the boxes as they were.
            ShowInvalidEpoch();
            return;
        }
        view_.SetText(TextBox::EpochDate, EpochText(EpochValue));
    }
    CmdText.clear();

    if (EpochValue < 1) {
        ShowInvalidEpoch();
        return;
    }
    view_.SetText(TextBox::LocalDate, DateText(Epoch2Date(Currency::Widen(EpochValue)), zoneLabel_, format_));
}

SerialDate Brisvanefrm::Epoch2Date(Currency EpochTime) const
{
    return Brisvane::Epoch2Date(EpochTime, OffsetSecs);
}

std::optional<std::int32_t> Brisvanefrm::GetZoneOffset()
{
    const ZoneOffset offset = ComputeZoneOffset(zoneSource_.Query(std::chrono::system_clock::now()));
    if (offset.Hours)
        view_.SetText(TextBox::Zone, NumberText(*offset.Hours, format_.DecimalSeparator()));
    zoneLabel_ = offset.Label;
    return offset.Seconds;
}

void Brisvanefrm::ShowInvalidEpoch()
{
    view_.ShowError(Texts::InvalidEpochTitle, Texts::InvalidEpochMessage);
}

}  // namespace Brisvane

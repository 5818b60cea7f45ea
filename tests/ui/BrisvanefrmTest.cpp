#include "Brisvanefrm.h"
#include "Error.h"
#include "EventDispatch.h"
#include "FakeView.h"
#include "FixedRegionalFormat.h"
#include "FixedZoneSource.h"

#include <gtest/gtest.h>

#include <optional>

using namespace Brisvane;

namespace {

const ZoneAnswer Utc{ZoneState::Standard, 0, 0, ""};
using Calls = std::vector<std::string>;

// A form over a fake view and zone, with fixed regional formats.
struct Fixture {
    explicit Fixture(std::string commandLine = {}, ZoneAnswer zoneAnswer = Utc)
        : zone(zoneAnswer), form(view, zone, format, std::move(commandLine))
    {
    }
    FakeView view;
    FixedZoneSource zone;
    FixedRegionalFormat format;
    Brisvanefrm form;
};

std::optional<ErrorKind> KindRaisedBy(auto&& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.Kind();
    }
    return std::nullopt;
}

}  // namespace

TEST(Brisvanefrm, StartsFromTheCommandLine)
{
    struct Case {
        const char* commandLine;
        Calls calls;  // what the user sees, in order
        const char* epochDate;
        const char* localDate;
        std::optional<ErrorKind> raised;
    };
    for (const Case& c : {
             Case{"1600000000", {"show"}, "1600000000", "2020-09-13 12:26:40", {}},
             Case{"2.5", {"show"}, "2", "1970-01-01 00:00:02", {}},
             // No value: the prompt opens over the window, already visible.
             Case{"", {"show", "prompt"}, "1", "1970-01-01 00:00:01", {}},
             // Below 1 is refused by the first request; the window stays.
             Case{"-5", {"show", "error"}, "-5", "", {}},
             // Not a number, or out of range: raised once the window is up, the boxes untouched.
             Case{"1600000000 abc", {"show"}, "", "", ErrorKind::TypeMismatch},
             Case{"12x34", {"show"}, "", "", ErrorKind::TypeMismatch},
             Case{"3000000000", {"show"}, "", "", ErrorKind::Overflow},
         }) {
        Fixture f(c.commandLine);
        f.view.answers = {"1"};
        EXPECT_EQ(KindRaisedBy([&] { f.form.Form_Load(); }), c.raised) << c.commandLine;
        EXPECT_EQ(f.view.calls, c.calls) << c.commandLine;
        EXPECT_EQ(f.view.Text(TextBox::EpochDate), c.epochDate) << c.commandLine;
        EXPECT_EQ(f.view.Text(TextBox::LocalDate), c.localDate) << c.commandLine;
    }
}

TEST(Brisvanefrm, EveryClickAsksAtThePrompt)
{
    struct Case {
        std::optional<std::string> answer;  // none for Cancel
        const char* epochDate;
        const char* localDate;  // null when the value is refused
    };
    for (const Case& c : {
             Case{"1600000000", "1600000000", "2020-09-13 12:26:40"},
             Case{"1", "1", "1970-01-01 00:00:01"},
             Case{"1.5", "2", "1970-01-01 00:00:02"},
             Case{"1e3", "1000", "1970-01-01 00:16:40"},
             Case{" 86 400 ", "86400", "1970-01-02"},
             Case{"86400 seconds", "86400", "1970-01-02"},
             Case{"0", "0", nullptr},
             Case{"0.4", "0", nullptr},
             Case{"-1", "-1", nullptr},
             Case{"abc", "0", nullptr},
             Case{std::nullopt, "0", nullptr},
             // Past the 32-bit range: refused like any mistyped answer, the
             // boxes keep what they showed and the window stays.
             Case{"1600000000000", "42", nullptr},
             Case{"21474836470", "42", nullptr},
         }) {
        const std::string name = c.answer.value_or("(Cancel)");
        Fixture f("42");
        f.form.Form_Load();
        f.view.calls.clear();
        if (c.answer)
            f.view.answers = {*c.answer};
        f.form.Command1_Click();
        const Calls seen = c.localDate ? Calls{"prompt"} : Calls{"prompt", "error"};
        EXPECT_EQ(f.view.calls, seen) << name;
        EXPECT_EQ(f.view.promptTexts, Calls({"Epoch to Local Date", "Enter Epoch date (Unix timestamp):"}));
        EXPECT_EQ(f.view.Text(TextBox::EpochDate), c.epochDate) << name;
        EXPECT_EQ(f.view.Text(TextBox::LocalDate), c.localDate ? c.localDate : "1970-01-01 00:00:42") << name;
        if (!c.localDate) {
            EXPECT_EQ(f.view.errorTexts, Calls({"Error", "Invalid Epoch date entered."})) << name;
        }
    }
}

TEST(Brisvanefrm, ShowsTheZoneOffsetAndAddsIt)
{
    struct Case {
        ZoneAnswer answer;
        const char* zone;
        const char* localDate;  // of epoch 1600000000, named by the start-up zone
    };
    for (const Case& c : {
             Case{{ZoneState::NoDaylightRules, -330, 0, "IST"}, "5.5", "2020-09-13 17:56:40 IST"},
             Case{{ZoneState::Standard, 300, 0, "EST"}, "-5", "2020-09-13 07:26:40 EST"},
             Case{{ZoneState::Daylight, 300, -60, "EDT"}, "-4", "2020-09-13 08:26:40 EDT"},
             // With no reading the time is UTC's, and is named so.
             Case{{ZoneState::Failure, -330, 0, "IST"}, "", "2020-09-13 12:26:40 UTC"},
         }) {
        Fixture f("1600000000", c.answer);
        f.form.Form_Load();
        EXPECT_EQ(f.view.Text(TextBox::Zone), c.zone);
        EXPECT_EQ(f.view.Text(TextBox::LocalDate), c.localDate);
    }

    // A comma locale writes the hours its way.
    FakeView view;
    const FixedZoneSource india({ZoneState::NoDaylightRules, -330, 0, "IST"});
    const FixedRegionalFormat german(",");
    Brisvanefrm form(view, india, german, "1");
    form.Form_Load();
    EXPECT_EQ(view.Text(TextBox::Zone), "5,5");

    // A bias out of range is raised before the window is shown.
    Fixture overflow("1", ZoneAnswer{ZoneState::Standard, 40'000'000, 0, ""});
    EXPECT_EQ(KindRaisedBy([&] { overflow.form.Form_Load(); }), ErrorKind::Overflow);
    EXPECT_EQ(overflow.view.calls, Calls{});
    EXPECT_EQ(overflow.view.Text(TextBox::Zone), "");
}

TEST(EventDispatch, ReportsAnErrorThatNoHandlerDealtWith)
{
    struct Case {
        const char* commandLine;
        const char* title;
        const char* message;
        const char* line;
    };
    for (const Case& c : {
             Case{"12x34", "Type mismatch", "Type mismatch: \"12x34\" is not a number.",
                  "brisvane: Type mismatch: \"12x34\" is not a number\n"},
             Case{"3000000000", "Overflow", "Overflow: \"3000000000\" is outside the range -2147483648 to 2147483647.",
                  "brisvane: Overflow: \"3000000000\" is outside the range -2147483648 to 2147483647\n"},
         }) {
        Fixture f(c.commandLine);
        testing::internal::CaptureStderr();
        RunEventHandler(f.view, [&] { f.form.Form_Load(); });
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.line);
        EXPECT_EQ(f.view.calls, Calls({"show", "report", "end 1"}));
        ASSERT_EQ(f.view.reports.size(), 1u);
        EXPECT_EQ(f.view.reports[0].Title, c.title);
        EXPECT_EQ(f.view.reports[0].Message, c.message);
        EXPECT_EQ(f.view.reports[0].Consequence, "Brisvane will close.");
    }

    // Anything else that escapes a handler is stopped and reported too; a
    // handler that ends well ends nothing.
    FakeView view;
    RunEventHandler(view, [] { throw 42; });
    RunEventHandler(view, [] { throw std::bad_alloc(); });
    RunEventHandler(view, [] {});
    EXPECT_EQ(view.calls, Calls({"report", "end 1", "report", "end 1"}));
    EXPECT_EQ(view.reports[1].Title, "Unexpected error");
}

// Drives the real Brisvane.exe as a user would, from another process: it
// reads the boxes with WM_GETTEXT, clicks "convert", answers the prompt and
// the message boxes, closes the window, and checks the exit status and what
// reached standard error. Cases are one table, each with the locale (LC_ALL)
// and zone (TZ) it needs. Wine takes both from the Unix environment when a
// process starts, and a process it starts inherits that environment, not
// the Windows one; so the test suite runs the driver once per locale and
// zone, and each run takes the cases of its own.
//
// Usage: brisvane_end_to_end PATH\TO\Brisvane.exe [GoogleTest options]

#include "Layout.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace Brisvane;
using namespace std::chrono_literals;

namespace {

std::wstring ProgramPath;
constexpr auto Patience = 20s;

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                 narrow.data(), static_cast<int>(narrow.size()),
                                                                 nullptr, nullptr)));
    return narrow;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &length);
    return std::wstring(text, length);
}

// The program under test, with its standard error on a pipe.
class Program {
public:
    explicit Program(const std::wstring& arguments)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE errorWrite = nullptr;
        ::CreatePipe(&errorRead_, &errorWrite, &inherit, 0);
        ::SetHandleInformation(errorRead_, HANDLE_FLAG_INHERIT, 0);

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = errorWrite;
        std::wstring commandLine = L"\"" + ProgramPath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        started_ = ::CreateProcessW(ProgramPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    nullptr, &startup, &process_);
        ::CloseHandle(errorWrite);
    }
    ~Program()
    {
        if (started_) {
            if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(process_.hProcess, 99);
            ::CloseHandle(process_.hProcess);
            ::CloseHandle(process_.hThread);
        }
        ::CloseHandle(errorRead_);
    }

    bool Started() const { return started_; }

    // The visible top-level window of the program with this title, or null
    // once `Patience` has run out or the program has ended.
    HWND FindWindow(const std::wstring& title) const
    {
        const auto deadline = std::chrono::steady_clock::now() + Patience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const HWND found = WindowTitled(title))
                return found;
            if (Ended())
                return nullptr;
            std::this_thread::sleep_for(50ms);
        }
        return nullptr;
    }

    HWND WindowTitled(const std::wstring& title) const
    {
        struct Search {
            DWORD Process;
            const std::wstring* Title;
            HWND Found;
        } search{process_.dwProcessId, &title, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* search = reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner == search->Process && ::IsWindowVisible(window) && TextOf(window) == *search->Title) {
                    search->Found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }

    bool Ended() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

    // The exit status, or -1 if the program is still running after `Patience`.
    int ExitStatus() const
    {
        if (::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(Patience / 1ms)) != WAIT_OBJECT_0)
            return -1;
        DWORD status = 0;
        ::GetExitCodeProcess(process_.hProcess, &status);
        return static_cast<int>(status);
    }

    // All it wrote on standard error; call once it has ended.
    std::string Errors() const
    {
        std::string errors;
        char buffer[512];
        DWORD read = 0;
        while (::ReadFile(errorRead_, buffer, sizeof buffer, &read, nullptr) && read > 0)
            errors.append(buffer, read);
        return errors;
    }

    // How it stands, for a failure message.
    std::string State() const
    {
        if (!Ended())
            return "the program is still running";
        return "the program ended with status " + std::to_string(ExitStatus()) + " and wrote: " + Errors();
    }

private:
    PROCESS_INFORMATION process_{};
    HANDLE errorRead_ = nullptr;
    bool started_ = false;
};

// What the user does, one step at a time.
enum class Action {
    Click,    // click "convert"
    Answer,   // type `text` into the prompt and press OK
    Cancel,   // press Cancel in the prompt
    Dismiss,  // read the message box titled `title`, which must contain `text`, and press OK
};

struct Step {
    Action What;
    std::wstring Text;
    std::wstring Title;
};

Step Click()
{
    return {Action::Click, {}, {}};
}
Step Answer(std::wstring text)
{
    return {Action::Answer, std::move(text), {}};
}
Step Cancel()
{
    return {Action::Cancel, {}, {}};
}
Step Dismiss(std::wstring title, std::wstring text)
{
    return {Action::Dismiss, std::move(text), std::move(title)};
}

struct Case {
    const char* Name;
    std::wstring Arguments;
    std::wstring Locale;
    std::wstring Zone;
    std::vector<Step> Steps;
    // The boxes afterwards, when the window stays; the window is then
    // closed and the program must end with 0.
    std::wstring EpochDate, LocalDate, ZoneText;
    // Otherwise the program ends on its own after the steps, with status 1
    // and this line on standard error (the C runtime ends it with CR LF).
    std::string ErrorLine;
};

std::ostream& operator<<(std::ostream& out, const Case& c)
{
    return out << c.Name;
}

const std::wstring Prompt = L"Epoch to Local Date";
const std::wstring Invalid = L"Invalid Epoch date entered.";

const Case Cases[] = {
    {"command_line_value_no_prompt",
     L"1600000000",
     L"en_US.UTF-8",
     L"UTC",
     {},
     L"1600000000",
     L"9/13/2020 12:26:40 PM",
     L"0",
     {}},
    {"prompt_answered", L"", L"en_US.UTF-8", L"UTC", {Answer(L"86400")}, L"86400", L"1/2/1970", L"0", {}},
    {"cancel_gives_zero_and_the_error_box",
     L"",
     L"en_US.UTF-8",
     L"UTC",
     {Cancel(), Dismiss(L"Error", Invalid)},
     L"0",
     L"",
     L"0",
     {}},
    {"minus_one_is_refused",
     L"",
     L"en_US.UTF-8",
     L"UTC",
     {Answer(L"-1"), Dismiss(L"Error", Invalid)},
     L"-1",
     L"",
     L"0",
     {}},
    {"milliseconds_at_the_prompt_keep_the_window",
     L"42",
     L"en_US.UTF-8",
     L"UTC",
     {Click(), Answer(L"1600000000000"), Dismiss(L"Error", Invalid)},
     L"42",
     L"1/1/1970 12:00:42 AM",
     L"0",
     {}},
    {"command_line_not_a_number",
     L"12x34",
     L"en_US.UTF-8",
     L"UTC",
     {Dismiss(L"Type mismatch", L"\"12x34\" is not a number")},
     {},
     {},
     {},
     "brisvane: Type mismatch: \"12x34\" is not a number\r\n"},
    {"command_line_out_of_range",
     L"3000000000",
     L"en_US.UTF-8",
     L"UTC",
     {Dismiss(L"Overflow", L"\"3000000000\" is outside the range -2147483648 to 2147483647")},
     {},
     {},
     {},
     "brisvane: Overflow: \"3000000000\" is outside the range -2147483648 to 2147483647\r\n"},
    {"german_in_kolkata",
     L"1600000000",
     L"de_DE.UTF-8",
     L"Asia/Kolkata",
     {},
     L"1600000000",
     L"13.9.2020 17:56:40",
     L"5,5",
     {}},
    {"japanese_text_survives_the_round_trip",
     L"1600000000",
     L"ja_JP.UTF-8",
     L"UTC",
     {Click(), Answer(L"\u65E5\u672C"), Dismiss(L"Error", Invalid)},
     L"0",
     L"2020/9/13 12:26:40",
     L"0",
     {}},
    {"japanese_command_line_comes_back_in_the_message",
     L"12\u65E5\u672C",
     L"ja_JP.UTF-8",
     L"UTC",
     {Dismiss(L"Type mismatch", L"\"12\u65E5\u672C\" is not a number")},
     {},
     {},
     {},
     "brisvane: Type mismatch: \"12\xE6\x97\xA5\xE6\x9C\xAC\" is not a number\r\n"},
};

HWND ControlOf(HWND window, const char* name)
{
    for (const ControlLayout& control : BrisvanefrmControls)
        if (std::string_view(control.Name) == name)
            return ::GetDlgItem(window, control.Id);
    return nullptr;
}

// The text of a box once it equals `expected`, or what it holds when
// `Patience` runs out: the program writes it after a dialog closes.
std::wstring SettledText(HWND box, const std::wstring& expected)
{
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    std::wstring text = TextOf(box);
    while (text != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
        text = TextOf(box);
    }
    return text;
}

class EndToEnd : public testing::TestWithParam<Case> {};

TEST_P(EndToEnd, RunsAsTheUserSeesIt)
{
    const Case& c = GetParam();
    Program program(c.Arguments);
    ASSERT_TRUE(program.Started()) << "cannot start " << Narrow(ProgramPath);
    const HWND window = program.FindWindow(L"Brisvane");
    ASSERT_NE(window, nullptr) << "no window titled Brisvane appeared; " << program.State();

    for (const Step& step : c.Steps) {
        switch (step.What) {
        case Action::Click:
            // Posted: the click opens a modal loop in the program.
            ::PostMessageW(ControlOf(window, "Command1"), BM_CLICK, 0, 0);
            break;
        case Action::Answer:
        case Action::Cancel: {
            const HWND prompt = program.FindWindow(Prompt);
            ASSERT_NE(prompt, nullptr) << "no prompt appeared; " << program.State();
            if (step.What == Action::Answer) {
                const HWND answer = ::FindWindowExW(prompt, nullptr, L"Edit", nullptr);
                ::SendMessageW(answer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.Text.c_str()));
            }
            ::PostMessageW(prompt, WM_COMMAND, step.What == Action::Answer ? IDOK : IDCANCEL, 0);
            break;
        }
        case Action::Dismiss: {
            const HWND box = program.FindWindow(step.Title);
            ASSERT_NE(box, nullptr) << "no message box titled " << Narrow(step.Title) << "; " << program.State();
            const std::wstring text = TextOf(::GetDlgItem(box, 0xFFFF));
            EXPECT_NE(text.find(step.Text), std::wstring::npos) << Narrow(text);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            break;
        }
        }
    }

    if (!c.ErrorLine.empty()) {
        EXPECT_EQ(program.ExitStatus(), 1);
        EXPECT_EQ(program.Errors(), c.ErrorLine);
        return;
    }
    EXPECT_EQ(Narrow(SettledText(ControlOf(window, "EpochDate"), c.EpochDate)), Narrow(c.EpochDate));
    EXPECT_EQ(Narrow(SettledText(ControlOf(window, "LocalDate"), c.LocalDate)), Narrow(c.LocalDate));
    EXPECT_EQ(Narrow(TextOf(ControlOf(window, "Zone"))), Narrow(c.ZoneText));
    EXPECT_EQ(program.WindowTitled(Prompt), nullptr) << "a prompt is still open";
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitStatus(), 0) << program.State();
}

std::wstring Variable(const wchar_t* name)
{
    wchar_t value[128] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length < std::size(value) ? std::wstring(value, length) : std::wstring();
}

// The cases for the locale and zone this run was started in.
std::vector<Case> CasesOfThisRun()
{
    std::vector<Case> cases;
    for (const Case& c : Cases)
        if (c.Locale == Variable(L"LC_ALL") && c.Zone == Variable(L"TZ"))
            cases.push_back(c);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(CasesOfThisRun()),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.Name); });

TEST(EndToEndLayout, IsTheStoredOneAt96DpiInTabOrder)
{
    Program program(L"1");
    const HWND window = program.FindWindow(L"Brisvane");
    ASSERT_NE(window, nullptr) << program.State();
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 309);
    EXPECT_EQ(client.bottom, 89);

    struct Expected {
        const char* Name;
        const wchar_t* Class;
        RECT Rect;  // left, top, right, bottom in the client area
    };
    for (const Expected& e : {
             Expected{"Label1", L"Static", {8, 16, 81, 33}},
             Expected{"EpochDate", L"Edit", {80, 8, 225, 27}},
             Expected{"Command1", L"Button", {240, 8, 297, 33}},
             Expected{"Label2", L"Static", {8, 40, 81, 57}},
             Expected{"LocalDate", L"Edit", {80, 40, 225, 59}},
             Expected{"Zone", L"Edit", {232, 40, 297, 59}},
         }) {
        const HWND control = ControlOf(window, e.Name);
        ASSERT_NE(control, nullptr) << e.Name;
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, e.Rect.left) << e.Name;
        EXPECT_EQ(rect.top, e.Rect.top) << e.Name;
        EXPECT_EQ(rect.right, e.Rect.right) << e.Name;
        EXPECT_EQ(rect.bottom, e.Rect.bottom) << e.Name;
        wchar_t windowClass[32] = {};
        ::GetClassNameW(control, windowClass, static_cast<int>(std::size(windowClass)));
        EXPECT_EQ(_wcsicmp(windowClass, e.Class), 0) << e.Name;
    }

    // Tab goes EpochDate, LocalDate, convert, Zone and round again.
    HWND focus = ControlOf(window, "EpochDate");
    for (const char* next : {"LocalDate", "Command1", "Zone", "EpochDate"}) {
        focus = ::GetNextDlgTabItem(window, focus, FALSE);
        EXPECT_EQ(focus, ControlOf(window, next)) << next;
    }
    // Each box lies above the label that reaches into it.
    for (const auto& [box, label] : {std::pair{"EpochDate", "Label1"}, std::pair{"LocalDate", "Label2"}}) {
        HWND below = ControlOf(window, box);
        while (below != nullptr && below != ControlOf(window, label))
            below = ::GetWindow(below, GW_HWNDNEXT);
        EXPECT_NE(below, nullptr) << label << " is above " << box;
    }
    // "convert" is not a default button, and Zone is read-only.
    EXPECT_EQ(::GetWindowLongW(ControlOf(window, "Command1"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_NE(::GetWindowLongW(ControlOf(window, "Zone"), GWL_STYLE) & ES_READONLY, 0);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitStatus(), 0);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brisvane_end_to_end PATH\\TO\\Brisvane.exe [GoogleTest options]\n");
        return 2;
    }
    ProgramPath = Wide(argv[1]);
    return RUN_ALL_TESTS();
}

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

#include "Handles.h"
#include "Win32Process.h"
#include "Win32Tooltip.h"
#include "Win32View.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>
#include <tlhelp32.h>

#include <chrono>
#include <memory>
#include <optional>
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

// Brisvane.exe, with its standard error on a pipe.
class Program final : public Win32Process {
public:
    explicit Program(const std::wstring& arguments) : Win32Process(ProgramPath, arguments, true) {}

    // How it stands, for a failure message.
    std::string State() const
    {
        if (!Ended())
            return "the program is still running";
        return "the program ended with status " + std::to_string(ExitStatus(Patience)) + " and wrote: " + Errors();
    }
};

// What the user does, one step at a time.
enum class Action {
    Click,    // click "convert"
    Answer,   // type `text` into the prompt and press OK
    Cancel,   // press Cancel in the prompt
    Dismiss,  // read the message box titled `title`, which must contain `text`, and press OK
    Enter,    // press Enter in the box `box`
};

struct Step {
    Action What;
    std::wstring Text;
    std::wstring Title;
    Control Box = Control::EpochDate;
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
Step Enter(Control box)
{
    return {Action::Enter, {}, {}, box};
}

// What Windows refuses the program, by a hook of refuse_edit_boxes.dll.
enum class Refused { Nothing, EditBoxes, PromptAnswer };

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
    // and one line on standard error that begins with this (the C runtime
    // ends it with CR LF).
    std::string ErrorLine;
    Refused Refusal = Refused::Nothing;
    // LocalDate's text is wider than the box, and a tooltip gives it whole.
    bool Tipped = false;
    // The session's DPI (scripts/windows runs the driver at 96 and 144).
    UINT Dpi = 96;
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
     {},
     Refused::Nothing,
     true},
    // 128 pixels of the box's 131 at 96 DPI; at 144, 201 of its 200.
    {"latest_value_fits_at_96_dpi",
     L"2147483647",
     L"en_US.UTF-8",
     L"UTC",
     {},
     L"2147483647",
     L"1/19/2038 3:14:07 AM",
     L"0",
     {}},
    {"latest_value_wider_at_144_dpi",
     L"2147483647",
     L"en_US.UTF-8",
     L"UTC",
     {},
     L"2147483647",
     L"1/19/2038 3:14:07 AM",
     L"0",
     {},
     Refused::Nothing,
     true,
     144},
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
    // Enter is not a click of "convert": only the click that follows opens
    // the prompt. (Were it one, the click would open a second prompt inside
    // the first.)
    {"enter_in_a_box_does_not_convert",
     L"42",
     L"en_US.UTF-8",
     L"UTC",
     {Enter(Control::EpochDate), Enter(Control::LocalDate), Click(), Answer(L"86400")},
     L"86400",
     L"1/2/1970",
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
    {"window_not_made_is_reported",
     L"1",
     L"en_US.UTF-8",
     L"UTC",
     {Dismiss(L"Unexpected error", L"CreateWindowExW for the control EpochDate failed")},
     {},
     {},
     {},
     "brisvane: Unexpected error: CreateWindowExW for the control EpochDate failed",
     Refused::EditBoxes},
    // A prompt that cannot be shown is no Cancel, and no value of 0.
    {"prompt_not_made_is_reported",
     L"",
     L"en_US.UTF-8",
     L"UTC",
     {Dismiss(L"Unexpected error", L"DialogBoxParamW for the prompt failed")},
     {},
     {},
     {},
     "brisvane: Unexpected error: DialogBoxParamW for the prompt failed",
     Refused::PromptAnswer},
};

// A file beside the driver.
std::wstring BesideTheDriver(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring beside(path);
    return beside.replace(beside.find_last_of(L'\\') + 1, std::wstring::npos, name);
}

// The hook `name` of refuse_edit_boxes.dll, beside the driver, set for the
// whole session while this lives; `Hook` is null if it cannot be set. The
// hook goes first, then the DLL that holds it.
struct Refusal {
    ModuleHandle Dll;
    HookHandle Hook;
};
Refusal Refuse(const char* name)
{
    Refusal refusal{ModuleHandle(::LoadLibraryW(BesideTheDriver(L"refuse_edit_boxes.dll").c_str())), nullptr};
    if (refusal.Dll == nullptr)
        return refusal;
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(refusal.Dll.get(), name)));
    if (hook != nullptr)
        refusal.Hook.reset(::SetWindowsHookExW(WH_CBT, hook, refusal.Dll.get(), 0));
    return refusal;
}

HWND ControlOf(HWND window, Control control)
{
    return ::GetDlgItem(window, ControlId(control));
}

// What a screen reader learns of a control from this process: its name,
// role, value and states.
struct Accessible {
    std::wstring Name, Value;
    long Role = 0, State = 0;
};

// A text the accessible object made for this process; "(none)" if it made none.
std::wstring TakeText(BSTR text)
{
    struct FreeText {
        void operator()(BSTR text) const noexcept { ::SysFreeString(text); }
    };
    const std::unique_ptr<OLECHAR, FreeText> owned(text);
    return owned != nullptr ? owned.get() : L"(none)";
}

Accessible AccessibleOf(HWND control)
{
    IAccessible* made = nullptr;
    // __uuidof: a static build's IID_IAccessible is an import thunk, not the GUID.
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&made))))
        return {};
    const ComPointer<IAccessible> object(made);
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    VARIANT role{}, state{};
    BSTR name = nullptr, value = nullptr;
    object->get_accName(self, &name);
    object->get_accValue(self, &value);
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    return {TakeText(name), TakeText(value), role.lVal, state.lVal};
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
    const Refusal refusal = c.Refusal == Refused::EditBoxes      ? Refuse("RefuseEditBoxes")
                            : c.Refusal == Refused::PromptAnswer ? Refuse("RefusePromptAnswer")
                                                                 : Refusal{};
    ASSERT_EQ(refusal.Hook != nullptr, c.Refusal != Refused::Nothing) << "cannot set the hook of refuse_edit_boxes.dll";
    Program program(c.Arguments);
    ASSERT_TRUE(program.Started()) << "cannot start " << Narrow(ProgramPath);
    // Made, but shown only once its boxes are written; unless it cannot be made.
    const bool made = c.Refusal != Refused::EditBoxes;
    const HWND window = made ? program.WaitForWindow(L"Brisvane", Patience) : nullptr;
    ASSERT_TRUE(window != nullptr || !made) << "no window titled Brisvane appeared; " << program.State();

    for (const Step& step : c.Steps) {
        switch (step.What) {
        case Action::Click:
            // Posted: the click opens a modal loop in the program.
            ::PostMessageW(ControlOf(window, Control::Command1), BM_CLICK, 0, 0);
            break;
        case Action::Answer:
        case Action::Cancel: {
            const HWND prompt = program.WaitForWindow(Prompt, Patience);
            ASSERT_NE(prompt, nullptr) << "no prompt appeared; " << program.State();
            if (step.What == Action::Answer) {
                const HWND answer = ::FindWindowExW(prompt, nullptr, L"Edit", nullptr);
                ::SendMessageW(answer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.Text.c_str()));
            }
            ::PostMessageW(prompt, WM_COMMAND, step.What == Action::Answer ? IDOK : IDCANCEL, 0);
            break;
        }
        case Action::Enter:
            // Posted as the keyboard's would be, so that a click posted next
            // comes after it. IsDialogMessage in the program's loop makes it
            // an IDOK for the window.
            ::PostMessageW(ControlOf(window, step.Box), WM_KEYDOWN, VK_RETURN, 0x001C0001);
            ::PostMessageW(ControlOf(window, step.Box), WM_KEYUP, VK_RETURN, 0xC01C0001);
            break;
        case Action::Dismiss: {
            const HWND box = program.WaitForWindow(step.Title, Patience);
            ASSERT_NE(box, nullptr) << "no message box titled " << Narrow(step.Title) << "; " << program.State();
            const std::wstring text = TextOf(::GetDlgItem(box, 0xFFFF));
            EXPECT_NE(text.find(step.Text), std::wstring::npos) << Narrow(text);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            break;
        }
        }
    }

    if (!c.ErrorLine.empty()) {
        EXPECT_EQ(program.ExitStatus(Patience), 1);
        const std::string errors = program.Errors();
        EXPECT_EQ(errors.substr(0, c.ErrorLine.size()), c.ErrorLine) << errors;
        EXPECT_EQ(errors.find("\r\n"), errors.size() - 2) << errors;
        return;
    }
    EXPECT_EQ(Narrow(SettledText(ControlOf(window, Control::EpochDate), c.EpochDate)), Narrow(c.EpochDate));
    EXPECT_EQ(Narrow(SettledText(ControlOf(window, Control::LocalDate), c.LocalDate)), Narrow(c.LocalDate));
    EXPECT_EQ(Narrow(TextOf(ControlOf(window, Control::Zone))), Narrow(c.ZoneText));
    EXPECT_EQ(program.WindowTitled(Prompt), nullptr) << "a prompt is still open";

    // As a screen reader finds them through MSAA (Wine's UI Automation shows
    // nothing of Windows' controls: docs/windows-window.md): each box by its
    // own name, as editable text holding what it shows; Zone read-only; the
    // button by its caption.
    for (const auto& [box, text] : {std::pair{Control::EpochDate, c.EpochDate},
                                    std::pair{Control::LocalDate, c.LocalDate}, std::pair{Control::Zone, c.ZoneText}}) {
        const Accessible seen = AccessibleOf(ControlOf(window, box));
        EXPECT_EQ(Narrow(seen.Name), DescriptionOf(box).AccessibleName);
        EXPECT_EQ(seen.Role, ROLE_SYSTEM_TEXT) << DescriptionOf(box).Name;
        EXPECT_EQ(Narrow(seen.Value), Narrow(text)) << DescriptionOf(box).Name;
        EXPECT_EQ((seen.State & STATE_SYSTEM_READONLY) != 0, DescriptionOf(box).ReadOnly) << DescriptionOf(box).Name;
    }
    // A tool for LocalDate where its text is wider than the box, giving it
    // whole; none for a box whose text fits.
    const HWND tooltip = TooltipOf(window);
    EXPECT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), c.Tipped ? 1 : 0);
    EXPECT_EQ(Narrow(ToolText(program.Handle(), tooltip, window, ControlOf(window, Control::LocalDate))),
              c.Tipped ? Narrow(c.LocalDate) : "");
    // (Its role is Windows' own; Wine 8 says "client" for every button.)
    EXPECT_EQ(Narrow(AccessibleOf(ControlOf(window, Control::Command1)).Name),
              DescriptionOf(Control::Command1).Caption);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitStatus(Patience), 0) << program.State();
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
        if (c.Locale == Variable(L"LC_ALL") && c.Zone == Variable(L"TZ") && c.Dpi == ::GetDpiForSystem())
            cases.push_back(c);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(CasesOfThisRun()),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.Name); });

// Whether `process` has a DLL of this name loaded.
bool HasLoaded(const Win32Process& process, const std::wstring& dll)
{
    const KernelHandle snapshot =
        OwnedUnlessInvalid(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, ::GetProcessId(process.Handle())));
    if (snapshot == nullptr)
        return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = ::Module32FirstW(snapshot.get(), &module); more; more = ::Module32NextW(snapshot.get(), &module))
        if (_wcsicmp(module.szModule, dll.c_str()) == 0)
            return true;
    return false;
}

// Has `process` load a DLL by its bare name, as any code in it may: a thread
// of its own calls LoadLibraryW, which searches where the process lets it.
// Whether the DLL is loaded once that thread has ended; nothing if the
// thread could not be started or has not ended within `Patience`.
std::optional<bool> LoadsByName(const Win32Process& process, const std::wstring& dll)
{
    const SIZE_T bytes = (dll.size() + 1) * sizeof(wchar_t);
    RemoteMemory name(::VirtualAllocEx(process.Handle(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE),
                      FreeRemoteMemory{process.Handle()});
    if (name == nullptr || !::WriteProcessMemory(process.Handle(), name.get(), dll.c_str(), bytes, nullptr))
        return std::nullopt;
    // kernel32 lies at the same address in every process of a session.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    const KernelHandle thread(::CreateRemoteThread(process.Handle(), nullptr, 0, load, name.get(), 0, nullptr));
    if (thread == nullptr)
        return std::nullopt;
    if (::WaitForSingleObject(thread.get(), static_cast<DWORD>(std::chrono::milliseconds(Patience).count())) !=
        WAIT_OBJECT_0) {
        // Leaked on purpose: the thread may still read the name. It goes
        // with the program, which the test ends.
        name.release();
        return std::nullopt;
    }
    return HasLoaded(process, dll);
}

// A folder of the driver's own in the temporary one, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t temporary[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temporary);
        path_ = temporary + std::wstring(L"brisvane-") + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        for (const std::wstring& file : files_)
            ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Copies `from` into the folder as `name`; its path, or empty if it cannot.
    std::wstring Copy(const std::wstring& from, const wchar_t* name)
    {
        std::wstring to = path_ + L"\\" + name;
        if (!::CopyFileW(from.c_str(), to.c_str(), FALSE))
            return {};
        files_.push_back(to);
        return to;
    }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

// Brisvane.exe run from a folder that also holds a DLL named like none of
// Windows', as a Downloads folder may: whatever in the program asks for
// that name, the DLL beside it stays unloaded; Windows' own still load.
TEST(EndToEndDllSearch, ADllBesideTheProgramStaysUnloaded)
{
    ScratchFolder folder;
    const std::wstring copy = folder.Copy(ProgramPath, L"Brisvane.exe");
    const wchar_t* planted = L"brisvane_planted.dll";
    ASSERT_FALSE(copy.empty());
    ASSERT_FALSE(folder.Copy(BesideTheDriver(L"refuse_edit_boxes.dll"), planted).empty());

    Win32Process program(copy, L"1");
    const HWND window = program.WaitForWindow(L"Brisvane", Patience);
    ASSERT_NE(window, nullptr) << "no window titled Brisvane appeared";
    EXPECT_EQ(LoadsByName(program, planted), false);
    // One of Windows' own that the program has no use for: were it not
    // loaded now, the test would show nothing.
    ASSERT_FALSE(HasLoaded(program, L"dciman32.dll"));
    EXPECT_EQ(LoadsByName(program, L"dciman32.dll"), true);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitStatus(Patience), 0);
}

TEST(EndToEndLayout, IsTheStoredOneInTabOrder)
{
    Program program(L"1");
    const HWND window = program.WaitForWindow(L"Brisvane", Patience);
    ASSERT_NE(window, nullptr) << program.State();
    // It opens at the DPI of the session (scripts/windows runs this at 96
    // and at 144), laid out for it.
    const int dpi = static_cast<int>(::GetDpiForWindow(window));
    EXPECT_EQ(dpi, static_cast<int>(::GetDpiForSystem()));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, TwipsToPixels(BrisvanefrmWindow.ClientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(BrisvanefrmWindow.ClientHeight, dpi));

    for (const ControlDescription& control : BrisvanefrmControls) {
        const HWND made = ControlOf(window, control.Id);
        ASSERT_NE(made, nullptr) << control.Name;
        RECT rect{};
        ::GetWindowRect(made, &rect);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const PixelRect expected = PixelsOf(control, dpi);
        EXPECT_EQ(rect.left, expected.Left) << control.Name;
        EXPECT_EQ(rect.top, expected.Top) << control.Name;
        EXPECT_EQ(rect.right - rect.left, expected.Width) << control.Name;
        EXPECT_EQ(rect.bottom - rect.top, expected.Height) << control.Name;
        wchar_t windowClass[32] = {};
        ::GetClassNameW(made, windowClass, static_cast<int>(std::size(windowClass)));
        const wchar_t* kind = control.Kind == ControlKind::TextBox  ? L"Edit"
                              : control.Kind == ControlKind::Button ? L"Button"
                                                                    : L"Static";
        EXPECT_EQ(_wcsicmp(windowClass, kind), 0) << control.Name;
        const LONG style = ::GetWindowLongW(made, GWL_STYLE);
        if (control.Kind == ControlKind::TextBox) {
            EXPECT_EQ((style & ES_READONLY) != 0, control.ReadOnly) << control.Name;
        } else {
            EXPECT_EQ(Narrow(TextOf(made)), control.Caption) << control.Name;
        }
        if (control.Kind == ControlKind::Button) {  // not a default button
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        }
    }

    // Tab goes through the controls that take the focus by tab index, and round again.
    std::vector<HWND> stops;
    for (const Control control : InTabOrder())
        if (DescriptionOf(control).Kind != ControlKind::Label)
            stops.push_back(ControlOf(window, control));
    for (std::size_t i = 0; i < stops.size(); ++i)
        EXPECT_EQ(::GetNextDlgTabItem(window, stops[i], FALSE), stops[(i + 1) % stops.size()]) << i;
    // Where two controls overlap (a label reaching into its box), the one
    // earlier in tab order lies above: it comes first from the top.
    const auto order = InTabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        HWND below = ControlOf(window, order[i - 1]);
        while (below != nullptr && below != ControlOf(window, order[i]))
            below = ::GetWindow(below, GW_HWNDNEXT);
        EXPECT_NE(below, nullptr) << DescriptionOf(order[i]).Name << " is above " << DescriptionOf(order[i - 1]).Name;
    }

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitStatus(Patience), 0);
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
    // Sees the window in real pixels and at its real DPI, as the program does.
    ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // The accessibility checks are COM calls into the program.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return RUN_ALL_TESTS();
}

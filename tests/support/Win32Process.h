#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

// A program that a test or a benchmark starts and watches from outside, as a
// user would: by its visible windows. It is ended, if still running, when
// this object goes.
class Win32Process {
public:
    // Starts `program` with its quoted path and `arguments` as its command
    // line; with `readErrors`, its standard error on a pipe that Errors() reads.
    Win32Process(const std::wstring& program, const std::wstring& arguments, bool readErrors = false)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (readErrors) {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            ::CreatePipe(&errorRead_, &startup.hStdError, &inherited, 0);
            ::SetHandleInformation(errorRead_, HANDLE_FLAG_INHERIT, 0);
            startup.dwFlags = STARTF_USESTDHANDLES;
        }
        std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        started_ = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, readErrors, 0, nullptr,
                                    nullptr, &startup, &process_);
        // Only the program writes to it, so that reading ends when it ends.
        if (startup.hStdError != nullptr)
            ::CloseHandle(startup.hStdError);
    }
    ~Win32Process()
    {
        if (started_) {
            if (!Ended()) {
                ::TerminateProcess(process_.hProcess, 1);
                ::WaitForSingleObject(process_.hProcess, INFINITE);
            }
            ::CloseHandle(process_.hProcess);
            ::CloseHandle(process_.hThread);
        }
        if (errorRead_ != nullptr)
            ::CloseHandle(errorRead_);
    }
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;

    bool Started() const { return started_; }
    HANDLE Handle() const { return process_.hProcess; }
    bool Ended() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

    // Its visible top-level window with this title, or null.
    HWND WindowTitled(const std::wstring& title) const
    {
        struct Search {
            DWORD Process;
            const std::wstring& Title;
            HWND Found;
        } search{process_.dwProcessId, title, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto& search = *reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner == search.Process && ::IsWindowVisible(window) && TitleOf(window) == search.Title) {
                    search.Found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }

    // Its window with this title once it is visible, looked for every
    // `interval`; null if the program ends first or `patience` runs out.
    HWND WaitForWindow(const std::wstring& title, std::chrono::milliseconds patience,
                       std::chrono::milliseconds interval = std::chrono::milliseconds(50)) const
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        for (;;) {
            if (const HWND found = WindowTitled(title))
                return found;
            if (Ended() || std::chrono::steady_clock::now() >= deadline)
                return nullptr;
            std::this_thread::sleep_for(interval);
        }
    }

    // Its exit status, or -1 if it is still running after `patience`.
    int ExitStatus(std::chrono::milliseconds patience) const
    {
        if (::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0)
            return -1;
        DWORD status = 0;
        ::GetExitCodeProcess(process_.hProcess, &status);
        return static_cast<int>(status);
    }

    // All it wrote on standard error, when started to read it; call once it
    // has ended.
    std::string Errors() const
    {
        std::string errors;
        char buffer[512];
        DWORD read = 0;
        while (errorRead_ != nullptr && ::ReadFile(errorRead_, buffer, sizeof buffer, &read, nullptr) && read > 0)
            errors.append(buffer, read);
        return errors;
    }

private:
    static std::wstring TitleOf(HWND window)
    {
        wchar_t title[256] = {};
        ::GetWindowTextW(window, title, static_cast<int>(std::size(title)));
        return title;
    }

    PROCESS_INFORMATION process_{};
    HANDLE errorRead_ = nullptr;
    bool started_ = false;
};

#pragma once

#include "Handles.h"

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
    // Started() says whether the pipe and the process could both be made.
    Win32Process(const std::wstring& program, const std::wstring& arguments, bool readErrors = false)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        // Only the program writes to the pipe, so that reading ends when it
        // ends: this end goes when the constructor does.
        Brisvane::KernelHandle errorWrite;
        if (readErrors) {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            HANDLE read = nullptr, write = nullptr;
            if (!::CreatePipe(&read, &write, &inherited, 0))
                return;
            errorRead_.reset(read);
            errorWrite.reset(write);
            if (!::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0))
                return;
            startup.hStdError = write;
            startup.dwFlags = STARTF_USESTDHANDLES;
        }
        std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, readErrors, 0, nullptr, nullptr,
                              &startup, &started))
            return;
        process_.reset(started.hProcess);
        const Brisvane::KernelHandle thread(started.hThread);  // nothing here waits on it
        processId_ = started.dwProcessId;
    }
    ~Win32Process()
    {
        if (Started() && !Ended()) {
            ::TerminateProcess(process_.get(), 1);
            ::WaitForSingleObject(process_.get(), INFINITE);
        }
    }
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;

    bool Started() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_.get(); }
    bool Ended() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

    // Its visible top-level window with this title, or null.
    HWND WindowTitled(const std::wstring& title) const
    {
        struct Search {
            DWORD Process;
            const std::wstring& Title;
            HWND Found;
        } search{processId_, title, nullptr};
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
        if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0)
            return -1;
        DWORD status = 0;
        ::GetExitCodeProcess(process_.get(), &status);
        return static_cast<int>(status);
    }

    // All it wrote on standard error, when started to read it; call once it
    // has ended.
    std::string Errors() const
    {
        std::string errors;
        char buffer[512];
        DWORD read = 0;
        while (errorRead_ != nullptr && ::ReadFile(errorRead_.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
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

    Brisvane::KernelHandle process_;
    DWORD processId_ = 0;
    Brisvane::KernelHandle errorRead_;
};

#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace Brisvane {

// An owner for each kind of handle that Windows gives out. Each frees its
// handle with its kind's own call when it goes, so that no way out of a
// function (an early return, an exception, a failed test assertion) leaves
// one behind. As with any std::unique_ptr, a null one frees nothing.

struct CloseKernelHandle {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
// A process, thread, pipe end or snapshot.
using KernelHandle = std::unique_ptr<void, CloseKernelHandle>;

// CreateToolhelp32Snapshot and CreateFileW fail with INVALID_HANDLE_VALUE,
// not null: an owner of nothing then.
inline KernelHandle OwnedUnlessInvalid(HANDLE handle)
{
    return KernelHandle(handle != INVALID_HANDLE_VALUE ? handle : nullptr);
}

// Memory that VirtualAllocEx gave in another process.
struct FreeRemoteMemory {
    HANDLE Process;
    void operator()(void* address) const noexcept { ::VirtualFreeEx(Process, address, 0, MEM_RELEASE); }
};
using RemoteMemory = std::unique_ptr<void, FreeRemoteMemory>;

struct Unhook {
    void operator()(HHOOK hook) const noexcept { ::UnhookWindowsHookEx(hook); }
};
using HookHandle = std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook>;

struct FreeModule {
    void operator()(HMODULE module) const noexcept { ::FreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const noexcept { ::DeleteObject(object); }
};
// (A stock font may be held too: deleting one does nothing.)
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteGdiObject>;

struct DestroyIconHandle {
    void operator()(HICON icon) const noexcept { ::DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconHandle>;

struct ReleaseScreenDc {
    void operator()(HDC screen) const noexcept { ::ReleaseDC(nullptr, screen); }
};
// The screen's device context, from GetDC(nullptr).
using ScreenDcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, ReleaseScreenDc>;

// An object selected into a device context while this lives; then the one
// it replaced again, so that the context goes back as it was lent and the
// object can be deleted. Null if the selection failed.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~Selection()
    {
        if (previous_ != nullptr)
            ::SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    explicit operator bool() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM object, released once.
struct ReleaseComObject {
    template <typename Interface>
    void operator()(Interface* object) const noexcept
    {
        object->Release();
    }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ReleaseComObject>;

}  // namespace Brisvane

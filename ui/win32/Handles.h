#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>

namespace Brisvane {

// An owner for each kind of handle that Windows gives out. Each frees its
// handle with its kind's own call when it goes, so that no way out of a
// function (an early return, an exception, a failed test assertion) leaves
// one behind. As with any std::unique_ptr, a null one frees nothing.

// Frees a handle with `Free`: a call of Windows' that takes the handle
// alone, or a member function of the object it points to (COM's Release).
template <auto Free>
struct Deleter {
    template <typename Handle>
    void operator()(Handle handle) const noexcept
    {
        std::invoke(Free, handle);
    }
};

// The owner of a `Handle` that `Free` frees.
template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter<Free>>;

// A process, thread, pipe end or snapshot.
using KernelHandle = Owned<HANDLE, ::CloseHandle>;

using HookHandle = Owned<HHOOK, ::UnhookWindowsHookEx>;
// A window that no parent destroys. Windows also destroys a popup with the
// window that owns it: where that goes first, release() the handle.
using WindowHandle = Owned<HWND, ::DestroyWindow>;
using ModuleHandle = Owned<HMODULE, ::FreeLibrary>;
// (A stock font may be held too: deleting one does nothing.)
using FontHandle = Owned<HFONT, ::DeleteObject>;
using IconHandle = Owned<HICON, ::DestroyIcon>;
// A COM object, released once. By the Release its own class names: one that
// has IUnknown by two of its interfaces has two of IUnknown's.
template <typename Interface>
using ComPointer = Owned<Interface*, &Interface::Release>;

// CreateToolhelp32Snapshot and CreateFileW fail with INVALID_HANDLE_VALUE,
// not null: an owner of nothing then.
inline KernelHandle OwnedUnlessInvalid(HANDLE handle)
{
    return KernelHandle(handle != INVALID_HANDLE_VALUE ? handle : nullptr);
}

// The two below free with a call that takes more than the handle.

// Memory that VirtualAllocEx gave in another process: freed in that process.
struct FreeRemoteMemory {
    HANDLE Process;
    void operator()(void* address) const noexcept { ::VirtualFreeEx(Process, address, 0, MEM_RELEASE); }
};
using RemoteMemory = std::unique_ptr<void, FreeRemoteMemory>;

// The screen's device context, from GetDC(nullptr): released as no window's.
struct ReleaseScreenDc {
    void operator()(HDC screen) const noexcept { ::ReleaseDC(nullptr, screen); }
};
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

}  // namespace Brisvane

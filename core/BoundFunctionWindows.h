#pragma once

#include <windows.h>

#include <cstring>

namespace Brisvane {

// A function of a loaded DLL looked up by name, as the pointer type of its
// own declaration (`decltype(&::GetTimeZoneInformation)`); null where the
// DLL lacks it. GetProcAddress hands every function back as the same
// generic pointer type, so the type is the caller's to name, and naming it
// from the declaration leaves no signature to get wrong.
template <typename Function>
Function BoundFunction(HMODULE module, const char* name)
{
    static_assert(sizeof(Function) == sizeof(FARPROC));
    const FARPROC address = module != nullptr ? ::GetProcAddress(module, name) : nullptr;
    Function function = nullptr;
    std::memcpy(&function, &address, sizeof function);
    return function;
}

}  // namespace Brisvane

#include "AccessibleName.h"

#include "BoundFunctionWindows.h"
#include "Handles.h"

#include <commctrl.h>
// Defines here the ids of oleacc.h that a static build has no library for.
#include <initguid.h>
#include <oleacc.h>

#include <new>
#include <utility>

namespace Brisvane {
namespace {

// oleacc and the COM libraries are loaded when a client first asks, not at
// start-up: most sessions have no screen reader, and loading them would
// cost every start a few milliseconds.
struct AccessibilityFunctions {
    decltype(&::CoInitializeEx) CoInitializeEx;
    decltype(&::CoCreateInstance) CoCreateInstance;
    decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
    decltype(&::LresultFromObject) LresultFromObject;
    decltype(&::SysAllocString) SysAllocString;

    bool Bound() const
    {
        return CoInitializeEx && CoCreateInstance && CreateStdAccessibleObject && LresultFromObject && SysAllocString;
    }
};

// Null if any of them is missing.
const AccessibilityFunctions* Accessibility()
{
    static const AccessibilityFunctions functions = [] {
        const auto library = [](const wchar_t* name) {
            return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        };
        const HMODULE ole32 = library(L"ole32.dll");
        const HMODULE oleacc = library(L"oleacc.dll");
        const HMODULE oleaut32 = library(L"oleaut32.dll");
        AccessibilityFunctions bound{
            BoundFunction<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx"),
            BoundFunction<decltype(&::CoCreateInstance)>(ole32, "CoCreateInstance"),
            BoundFunction<decltype(&::CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject"),
            BoundFunction<decltype(&::LresultFromObject)>(oleacc, "LresultFromObject"),
            BoundFunction<decltype(&::SysAllocString)>(oleaut32, "SysAllocString"),
        };
        // The annotation service is a COM object, and the box's own answer
        // is marshalled to the client through COM, which this thread, the
        // window's, must have joined. It stays a member until the process
        // ends.
        if (bound.Bound() && FAILED(bound.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            bound.CoInitializeEx = nullptr;
        return bound;
    }();
    return functions.Bound() ? &functions : nullptr;
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Windows' own accessible object for a box, with the name put right. Every
// other question goes to Windows' object.
class NamedAccessible final : public IAccessible, public IOleWindow {
public:
    NamedAccessible(HWND box, ComPointer<IAccessible> standard, const std::wstring& name,
                    const AccessibilityFunctions& functions)
        : box_(box), standard_(std::move(standard)), name_(name), functions_(functions)
    {
    }
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (id == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: the box, for clients that go from the object to its window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (window == nullptr)
            return E_POINTER;
        *window = box_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        if (name == nullptr)
            return E_POINTER;
        *name = functions_.SysAllocString(name_.c_str());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    // Everything else is Windows' answer.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() = default;

    LONG references_ = 1;
    HWND box_;
    const ComPointer<IAccessible> standard_;
    // A copy: a client may hold the object after the box is gone.
    const std::wstring name_;
    const AccessibilityFunctions& functions_;
};

// The answer to WM_GETOBJECT for the box's client area, or 0 to let Windows
// answer (without the name) where this cannot.
LRESULT NamedObject(HWND box, WPARAM flags, const std::wstring& name) noexcept
{
    const AccessibilityFunctions* functions = Accessibility();
    if (functions == nullptr)
        return 0;
    IAccessible* made = nullptr;
    if (FAILED(functions->CreateStdAccessibleObject(box, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&made))))
        return 0;
    // Owned before the allocation below, which may fail.
    ComPointer<IAccessible> standard(made);
    ComPointer<NamedAccessible> named;
    try {
        named.reset(new NamedAccessible(box, std::move(standard), name, *functions));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // The answer holds a reference of its own.
    const LRESULT answer =
        functions->LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(named.get()));
    return answer > 0 ? answer : 0;
}

// Has Windows' own accessible objects for `box` give `name`, those that UI
// Automation's proxies for Windows' controls serve to its clients such as
// Narrator: the service that took it, or null where there is none (Wine 8
// has only a stub).
ComPointer<IAccPropServices> Annotate(HWND box, const std::wstring& name) noexcept
{
    const AccessibilityFunctions* functions = Accessibility();
    if (functions == nullptr)
        return nullptr;
    IAccPropServices* made = nullptr;
    if (FAILED(functions->CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                           reinterpret_cast<void**>(&made))))
        return nullptr;
    ComPointer<IAccPropServices> services(made);
    if (FAILED(services->SetHwndPropStr(box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                        name.c_str())))
        return nullptr;
    return services;
}

// What the subclass keeps of a box, as long as the box lives.
struct NamedBox {
    std::wstring Name;
    bool Asked = false;
    // The service that holds the annotation, to take it back with the box.
    ComPointer<IAccPropServices> Annotation;
};

constexpr UINT_PTR SubclassId = 1;

LRESULT CALLBACK NamedBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) noexcept
{
    auto* named = reinterpret_cast<NamedBox*>(data);
    if (message == WM_GETOBJECT) {
        // MSAA clients ask the box for its object, and get one named right.
        // UI Automation asks first for an object of its own, which the box
        // has not, and then serves an edit box through a proxy of its own,
        // which reads Windows' object: that is annotated at the first
        // question of any client, so that start-up loads nothing for it.
        if (!named->Asked) {
            named->Asked = true;
            named->Annotation = Annotate(box, named->Name);
        }
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (const LRESULT answer = NamedObject(box, wParam, named->Name))
                return answer;
        }
    } else if (message == WM_NCDESTROY) {
        if (named->Annotation != nullptr) {
            const MSAAPROPID name = PROPID_ACC_NAME;
            named->Annotation->ClearHwndProps(box, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
        }
        ::RemoveWindowSubclass(box, NamedBoxProc, SubclassId);
        delete named;
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

bool GiveAccessibleName(HWND box, std::wstring name)
{
    auto* kept = new NamedBox{std::move(name), false, nullptr};
    if (::SetWindowSubclass(box, NamedBoxProc, SubclassId, reinterpret_cast<DWORD_PTR>(kept)))
        return true;
    delete kept;
    return false;
}

}  // namespace Brisvane

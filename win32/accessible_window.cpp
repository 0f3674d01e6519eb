#include "win32/accessible_window.h"

#include <commctrl.h>
#include <oleacc.h>

namespace gd {

namespace {

constexpr UINT_PTR kAccessibleSubclass = 0x41434358;  // "ACCX"
constexpr wchar_t kModelProperty[] = L"GlimmerdeckAccessibleModel";

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// IAccessible over a model; what the model does not answer goes to the system's object.
class ModelAccessible final : public IAccessible {
public:
    ModelAccessible(HWND window, const AccessibleModel& model) : window_(window), model_(model) {
        CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard_));
    }
    ~ModelAccessible() {
        if (standard_) standard_->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (!out) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return ULONG(left);
    }

    // IDispatch: not offered (clients use the IAccessible methods).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_ ? standard_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        *count = model_.Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        *child = nullptr;  // the parts are simple elements, not objects of their own
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!Valid(child)) return E_INVALIDARG;
        *name = SysAllocString(model_.Name(child.lVal).c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        *value = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        *text = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!Valid(child)) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = model_.Role(child.lVal);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!Valid(child)) return E_INVALIDARG;
        long bits = model_.State(child.lVal);
        if (IsSelf(child)) {
            const LONG style = GetWindowLongW(window_, GWL_STYLE);
            if (!(style & WS_VISIBLE)) bits |= STATE_SYSTEM_INVISIBLE;
            if (style & WS_DISABLED) bits |= STATE_SYSTEM_UNAVAILABLE;
            else bits |= STATE_SYSTEM_FOCUSABLE;
            if (GetFocus() == window_) bits |= STATE_SYSTEM_FOCUSED;
        }
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_ && IsSelf(child) ? standard_->get_accKeyboardShortcut(child, keys) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = VT_EMPTY;
        if (GetFocus() == window_) {
            focus->vt = VT_I4;
            focus->lVal = CHILDID_SELF;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!Valid(child)) return E_INVALIDARG;
        const std::wstring text = model_.DefaultAction(child.lVal);
        *action = text.empty() ? nullptr : SysAllocString(text.c_str());
        return text.empty() ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (IsSelf(child) && (flags & SELFLAG_TAKEFOCUS)) SetFocus(window_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!Valid(child)) return E_INVALIDARG;
        RECT r{};
        if (IsSelf(child)) {
            GetWindowRect(window_, &r);
        } else {
            r = model_.Bounds(child.lVal);
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_ && IsSelf(start) ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        POINT at{x, y};
        ScreenToClient(window_, &at);
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        for (long child = 1; child <= model_.Count(); ++child) {
            const RECT r = model_.Bounds(child);
            if (PtInRect(&r, at)) hit->lVal = child;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!Valid(child)) return E_INVALIDARG;
        model_.DoDefaultAction(child.lVal);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    bool Valid(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal >= 0 && child.lVal <= model_.Count();
    }

    LONG references_ = 1;
    HWND window_;
    const AccessibleModel& model_;
    IAccessible* standard_ = nullptr;
};

LRESULT CALLBACK AccessibleProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                DWORD_PTR data) {
    auto* model = reinterpret_cast<AccessibleModel*>(data);
    if (message == WM_GETOBJECT && LONG(lparam) == OBJID_CLIENT) {
        auto* object = new ModelAccessible(window, *model);
        LRESULT result = LresultFromObject(IID_IAccessible, wparam, object);
        object->Release();
        return result;
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kModelProperty);
        RemoveWindowSubclass(window, &AccessibleProc, id);
        delete model;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

IAccessible* AccessibleObjectOf(HWND window) {
    auto* model = static_cast<AccessibleModel*>(GetPropW(window, kModelProperty));
    return model ? new ModelAccessible(window, *model) : nullptr;
}

void MakeAccessible(HWND window, std::unique_ptr<AccessibleModel> model) {
    if (!window || !model) return;
    if (!SetWindowSubclass(window, &AccessibleProc, kAccessibleSubclass, DWORD_PTR(model.get()))) return;
    SetPropW(window, kModelProperty, model.release());
}

std::wstring AccessibleText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, int(std::size(text)));
    std::wstring name;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c == L'&' && c[1] != L'&') continue;
        if (*c == L'&') ++c;
        name += *c;
    }
    return name;
}

}  // namespace gd

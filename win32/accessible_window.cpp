#include "win32/accessible_window.h"

#include <commctrl.h>
#include <oleacc.h>

namespace gd {

namespace {

constexpr UINT_PTR kAccessibleSubclass = 0x41434358;  // "ACCX"
constexpr UINT_PTR kLabelSubclass = 0x4143434C;       // "ACCL"
constexpr wchar_t kLabelProperty[] = L"GlimmerdeckAccessibleLabel";

// The interface's id from its declaration: the import library of oleacc.dll also has a
// symbol IID_IAccessible, a stub of code rather than the id, which a link may take in the
// id's place (every object handed out would then be refused).
const IID kIAccessible = __uuidof(IAccessible);

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// What a window's style and the focus say of it.
long WindowState(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    long bits = 0;
    if (!(style & WS_VISIBLE)) bits |= STATE_SYSTEM_INVISIBLE;
    if (style & WS_DISABLED) bits |= STATE_SYSTEM_UNAVAILABLE;
    else bits |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window) bits |= STATE_SYSTEM_FOCUSED;
    return bits;
}

// The system's own object for a window, answering every question; the classes below
// answer some of them themselves.
class SystemAccessible : public IAccessible {
public:
    explicit SystemAccessible(HWND window) : window_(window) {
        CreateStdAccessibleObject(window, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&standard_));
    }
    virtual ~SystemAccessible() {
        if (standard_) standard_->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (!out) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == kIAccessible) {
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

    // IAccessible: the system's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_ ? standard_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (standard_) return standard_->get_accChildCount(count);
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (standard_) return standard_->get_accChild(child, object);
        *object = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Ask(name, [&] { return standard_->get_accName(child, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Ask(value, [&] { return standard_->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return Ask(text, [&] { return standard_->get_accDescription(child, text); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_ ? standard_->get_accRole(child, role) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_ ? standard_->get_accState(child, state) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Ask(help, [&] { return standard_->get_accHelp(child, help); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        *topic = 0;
        return Ask(file, [&] { return standard_->get_accHelpTopic(file, child, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return Ask(keys, [&] { return standard_->get_accKeyboardShortcut(child, keys); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (standard_) return standard_->get_accFocus(focus);
        focus->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (standard_) return standard_->get_accSelection(selection);
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Ask(action, [&] { return standard_->get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_ ? standard_->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_ ? standard_->accLocation(left, top, width, height, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        return standard_ ? standard_->accHitTest(x, y, hit) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_ ? standard_->accDoDefaultAction(child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    template <class Question> HRESULT Ask(BSTR* answer, Question question) {
        *answer = nullptr;
        return standard_ ? question() : S_FALSE;
    }

    HWND window_;
    IAccessible* standard_ = nullptr;

private:
    LONG references_ = 1;
};

// IAccessible over a model; what the model does not answer goes to the system's object.
class ModelAccessible final : public SystemAccessible {
public:
    ModelAccessible(HWND window, const AccessibleModel& model) : SystemAccessible(window), model_(model) {}

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
        state->vt = VT_I4;
        state->lVal = model_.State(child.lVal) | (IsSelf(child) ? WindowState(window_) : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        if (IsSelf(child)) return SystemAccessible::get_accKeyboardShortcut(child, keys);
        *keys = nullptr;
        return S_FALSE;
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
        return IsSelf(start) ? SystemAccessible::accNavigate(direction, start, end) : S_FALSE;
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

private:
    bool Valid(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal >= 0 && child.lVal <= model_.Count();
    }

    const AccessibleModel& model_;
};

// The system's object with the name (and, where given, the role and value) of a label.
class LabelAccessible final : public SystemAccessible {
public:
    LabelAccessible(HWND window, const AccessibleLabel& label) : SystemAccessible(window), label_(label) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return SystemAccessible::get_accName(child, name);
        *name = SysAllocString(label_.name.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || label_.role == 0) return SystemAccessible::get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = label_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child) || label_.role == 0) return SystemAccessible::get_accState(child, state);
        // A window of the program's own class, which the system knows nothing of.
        state->vt = VT_I4;
        state->lVal = WindowState(window_) & ~STATE_SYSTEM_FOCUSABLE;
        if (label_.role == ROLE_SYSTEM_ANIMATION) state->lVal |= STATE_SYSTEM_ANIMATED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || !label_.value) return SystemAccessible::get_accValue(child, value);
        const std::wstring text = label_.value();
        *value = text.empty() ? nullptr : SysAllocString(text.c_str());
        return text.empty() ? S_FALSE : S_OK;
    }

private:
    const AccessibleLabel& label_;
};

// Answers WM_GETOBJECT with an Object over the window's Data until the window goes.
template <class Object, class Data>
LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data) {
    auto* kept = reinterpret_cast<Data*>(data);
    if (message == WM_GETOBJECT && LONG(lparam) == OBJID_CLIENT) {
        auto* object = new Object(window, *kept);
        LRESULT result = LresultFromObject(kIAccessible, wparam, object);
        object->Release();
        return result;
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kLabelProperty);
        RemoveWindowSubclass(window, &AnswerProc<Object, Data>, id);
        delete kept;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

void LabelForScreenReaders(HWND window, AccessibleLabel label) {
    if (!window) return;
    if (auto* given = static_cast<AccessibleLabel*>(GetPropW(window, kLabelProperty))) {
        *given = std::move(label);
        return;
    }
    auto* kept = new AccessibleLabel(std::move(label));
    if (!SetWindowSubclass(window, &AnswerProc<LabelAccessible, AccessibleLabel>, kLabelSubclass, DWORD_PTR(kept))) {
        delete kept;
        return;
    }
    SetPropW(window, kLabelProperty, kept);
}

void MakeAccessible(HWND window, std::unique_ptr<AccessibleModel> model) {
    if (!window || !model) return;
    if (SetWindowSubclass(window, &AnswerProc<ModelAccessible, AccessibleModel>, kAccessibleSubclass,
                          DWORD_PTR(model.get())))
        model.release();
}

std::wstring LabelAsName(const std::wstring& text) {
    std::wstring name;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] != L'&') continue;
        if (text[i] == L'&') ++i;
        if (i < text.size()) name += text[i];
    }
    const size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    name = name.substr(first, name.find_last_not_of(L" \t") - first + 1);
    if (!name.empty() && name.back() == L':') name.pop_back();
    return name;
}

std::wstring ColorAsWords(COLORREF color) {
    return L"red " + std::to_wstring(GetRValue(color)) + L", green " + std::to_wstring(GetGValue(color)) +
           L", blue " + std::to_wstring(GetBValue(color));
}

std::wstring AccessibleText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, int(std::size(text)));
    return LabelAsName(text);
}

}  // namespace gd

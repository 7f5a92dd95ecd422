#include "win32/Accessible.h"

#include <oleacc.h>

#include <new>

#include "win32/Render.h"
#include "win32/Text.h"

namespace win32 {

namespace {

using forms::AccessibleElement;
using forms::AccessibleRole;

// Spelled out: with mingw-w64, liboleacc.a's IID_IAccessible is an import thunk, not the GUID.
constexpr IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

UINT refreshMessage() {
    static const UINT message = RegisterWindowMessageW(L"Quillmere.AccessibleRefresh");
    return message;
}

UINT defaultActionMessage() {
    static const UINT message = RegisterWindowMessageW(L"Quillmere.AccessibleDefaultAction");
    return message;
}

long roleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::StaticText:
        return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::PushButton:
        return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::CheckBox:
        return ROLE_SYSTEM_CHECKBUTTON;
    case AccessibleRole::ProgressBar:
        return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::SpinButton:
        return ROLE_SYSTEM_SPINBUTTON;
    case AccessibleRole::EditableText:
        return ROLE_SYSTEM_TEXT;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

long stateOf(const AccessibleElement& element) {
    long state = 0;
    state |= element.focusable ? STATE_SYSTEM_FOCUSABLE : 0;
    state |= element.focused ? STATE_SYSTEM_FOCUSED : 0;
    state |= element.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
    state |= element.invisible ? STATE_SYSTEM_INVISIBLE : 0;
    state |= element.checked ? STATE_SYSTEM_CHECKED : 0;
    state |= element.indeterminate ? STATE_SYSTEM_MIXED : 0;
    state |= element.role == AccessibleRole::StaticText || element.role == AccessibleRole::ProgressBar
                 ? STATE_SYSTEM_READONLY
                 : 0;
    return state;
}

// A text for a reader; S_FALSE and no string for an empty one.
HRESULT giveText(const std::string& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    *out = SysAllocString(toWide(text).c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT giveNothing(VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    VariantInit(out);
    return S_FALSE;
}

HRESULT giveChild(long id, VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

}  // namespace

// The object readers hold. Calls from other processes arrive through the message loop of this
// thread (a single-threaded apartment), so reading the model here is safe. No exception leaves it.
class AccessibleObject final : public IAccessible {
public:
    explicit AccessibleObject(AccessibleWindow& window) : window_(&window) {}
    // The window is gone: every call from now on says so.
    void disconnect() { window_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kIAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
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
        return guarded([&](AccessibleWindow& window) {
            if (parent == nullptr) {
                return E_POINTER;
            }
            *parent = nullptr;
            return AccessibleObjectFromWindow(window.hwnd(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                              reinterpret_cast<void**>(parent));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return guarded([&](AccessibleWindow& window) {
            if (count == nullptr) {
                return E_POINTER;
            }
            *count = window.isContainer() ? static_cast<long>(window.children().size()) : 0;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        return guarded([&](AccessibleWindow& window) {
            if (child == nullptr) {
                return E_POINTER;
            }
            *child = nullptr;
            // Every child is a simple element of this object.
            return target(window, id) && id.lVal != CHILDID_SELF ? S_FALSE : E_INVALIDARG;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        return read(id, [&](const Target& t) {
            return giveText(t.element ? t.element->name : t.window.control().form().caption(), name);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        return read(id, [&](const Target& t) { return giveText(t.element ? t.element->value : "", value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override {
        return read(id, [&](const Target&) { return giveText("", text); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* text) override {
        return read(id, [&](const Target&) { return giveText("", text); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, long* topic) override {
        return read(id, [&](const Target&) {
            if (topic != nullptr) {
                *topic = 0;
            }
            return giveText("", file);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* text) override {
        return read(id, [&](const Target&) { return giveText("", text); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        return read(id, [&](const Target& t) {
            return giveChild(t.element ? roleOf(t.element->role) : ROLE_SYSTEM_CLIENT, role);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        return read(id, [&](const Target& t) {
            if (t.element) {
                return giveChild(stateOf(*t.element), state);
            }
            const forms::Control& control = t.window.control();
            long own = GetFocus() == t.window.hwnd() ? STATE_SYSTEM_FOCUSED : 0;
            own |= control.isEffectivelyEnabled() ? 0 : STATE_SYSTEM_UNAVAILABLE;
            return giveChild(own, state);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return guarded([&](AccessibleWindow& window) {
            if (window.isContainer()) {
                const auto children = window.children();
                for (std::size_t i = 0; i < children.size(); ++i) {
                    if (children[i].focused) {
                        return giveChild(static_cast<long>(i + 1), focus);
                    }
                }
            }
            return GetFocus() == window.hwnd() ? giveChild(CHILDID_SELF, focus) : giveNothing(focus);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return guarded([&](AccessibleWindow&) { return giveNothing(selection); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        return read(id, [&](const Target& t) { return giveText(t.element ? t.element->defaultAction : "", action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT id) override {
        return read(id, [](const Target&) { return DISP_E_MEMBERNOTFOUND; });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT id) override {
        return read(id, [&](const Target& t) {
            if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
                return E_POINTER;
            }
            RECT rect{};
            if (t.element && t.window.isContainer()) {
                rect = t.window.screenRect(*t.element);
            } else {
                GetWindowRect(t.window.hwnd(), &rect);
            }
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return read(start, [&](const Target& t) {
            const long count = t.window.isContainer() ? static_cast<long>(t.window.children().size()) : 0;
            const long from = start.lVal;
            long to = 0;
            switch (direction) {
            case NAVDIR_FIRSTCHILD:
                to = from == CHILDID_SELF && count > 0 ? 1 : 0;
                break;
            case NAVDIR_LASTCHILD:
                to = from == CHILDID_SELF ? count : 0;
                break;
            case NAVDIR_NEXT:
                to = from != CHILDID_SELF && from < count ? from + 1 : 0;
                break;
            case NAVDIR_PREVIOUS:
                to = from > 1 ? from - 1 : 0;
                break;
            default:
                break;
            }
            return to != 0 ? giveChild(to, end) : giveNothing(end);
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        return guarded([&](AccessibleWindow& window) {
            RECT bounds{};
            const POINT point{x, y};
            if (!GetWindowRect(window.hwnd(), &bounds) || !PtInRect(&bounds, point)) {
                return giveNothing(hit);
            }
            const auto child = window.isContainer() ? window.childAt(point) : std::nullopt;
            return giveChild(child ? static_cast<long>(*child + 1) : CHILDID_SELF, hit);
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        return read(id, [&](const Target& t) {
            if (!t.element || t.element->defaultAction.empty() || !t.window.isContainer()) {
                return DISP_E_MEMBERNOTFOUND;
            }
            t.window.postDefaultAction(static_cast<std::size_t>(id.lVal - 1));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // What a child id names: the object itself (no element for a container) or one of its elements.
    struct Target {
        AccessibleWindow& window;
        std::optional<AccessibleElement> element;
    };

    static std::optional<Target> target(AccessibleWindow& window, const VARIANT& id) {
        if (id.vt != VT_I4) {
            return std::nullopt;
        }
        if (id.lVal == CHILDID_SELF) {
            return Target{window, window.isContainer() ? std::nullopt : window.self()};
        }
        if (!window.isContainer()) {
            return std::nullopt;
        }
        auto children = window.children();
        if (id.lVal < 1 || static_cast<std::size_t>(id.lVal) > children.size()) {
            return std::nullopt;
        }
        return Target{window, std::move(children[static_cast<std::size_t>(id.lVal - 1)])};
    }

    template <typename Call>
    HRESULT guarded(const Call& call) noexcept {
        if (window_ == nullptr) {
            return RPC_E_DISCONNECTED;
        }
        try {
            return call(*window_);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    template <typename Call>
    HRESULT read(const VARIANT& id, const Call& call) noexcept {
        return guarded([&](AccessibleWindow& window) {
            const std::optional<Target> found = target(window, id);
            return found ? call(*found) : E_INVALIDARG;
        });
    }

    AccessibleWindow* window_;
    LONG references_ = 1;
};

AccessibleWindow::AccessibleWindow(HWND hwnd, const forms::Control& control, const UINT& dpi)
    : hwnd_(hwnd), control_(control), dpi_(dpi),
      object_(new AccessibleObject(*this)), lastReading_(reading()) {}

AccessibleWindow::~AccessibleWindow() {
    object_->disconnect();
    // Readers in other processes let go of it now rather than when they next call.
    CoDisconnectObject(object_, 0);
    object_->Release();
}

bool AccessibleWindow::answersFor(const forms::Control& control) {
    switch (control.kind()) {
    case forms::Control::Kind::PictureBox:
        return control.container() == nullptr;  // a picture box inside one is read through it
    case forms::Control::Kind::TextBox:
    case forms::Control::Kind::UpDown: {
        const auto element = forms::accessibleElementOf(control);
        return element && (element->role == AccessibleRole::EditableText || element->role == AccessibleRole::SpinButton);
    }
    default:
        return false;
    }
}

LRESULT AccessibleWindow::answer(WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) {
        return 0;
    }
    return LresultFromObject(kIAccessible, wParam, object_);
}

void AccessibleWindow::modelChanged() {
    if (!refreshPosted_ && PostMessageW(hwnd_, refreshMessage(), 0, 0)) {
        refreshPosted_ = true;
    }
}

bool AccessibleWindow::handle(UINT message, WPARAM wParam) {
    if (message == refreshMessage()) {
        refreshPosted_ = false;
        std::vector<AccessibleElement> now = reading();
        for (const forms::AccessibleChange& change : forms::accessibleChanges(lastReading_, now)) {
            using Kind = forms::AccessibleChange::Kind;
            const LONG child = isContainer() && change.kind != Kind::Structure ? static_cast<LONG>(change.index + 1)
                                                                               : CHILDID_SELF;
            const DWORD event = change.kind == Kind::Name    ? EVENT_OBJECT_NAMECHANGE
                                : change.kind == Kind::Value ? EVENT_OBJECT_VALUECHANGE
                                : change.kind == Kind::State ? EVENT_OBJECT_STATECHANGE
                                : change.kind == Kind::Focus ? EVENT_OBJECT_FOCUS
                                                             : EVENT_OBJECT_REORDER;
            NotifyWinEvent(event, hwnd_, OBJID_CLIENT, child);
        }
        lastReading_ = std::move(now);
        return true;
    }
    if (message == defaultActionMessage()) {
        const auto now = children();
        if (wParam < now.size()) {
            forms::doDefaultAction(now[wParam]);  // this record may be gone after it
        }
        return true;
    }
    return false;
}

std::vector<AccessibleElement> AccessibleWindow::children() const {
    return isContainer() ? forms::accessibleChildren(control_) : std::vector<AccessibleElement>{};
}

std::optional<AccessibleElement> AccessibleWindow::self() const {
    return forms::accessibleElementOf(control_);
}

std::vector<AccessibleElement> AccessibleWindow::reading() const {
    if (isContainer()) {
        return children();
    }
    const auto element = self();
    return element ? std::vector<AccessibleElement>{*element} : std::vector<AccessibleElement>{};
}

RECT AccessibleWindow::screenRect(const AccessibleElement& element) const {
    RECT rect{};
    if (const auto window = reinterpret_cast<HWND>(element.control->hWnd()); window != nullptr) {
        GetWindowRect(window, &rect);
        return rect;
    }
    const forms::Rect pixels = forms::pixelLocation(element.location, static_cast<int>(dpi_));
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    return {origin.x + pixels.left, origin.y + pixels.top, origin.x + pixels.left + pixels.width,
            origin.y + pixels.top + pixels.height};
}

std::optional<std::size_t> AccessibleWindow::childAt(POINT screen) const {
    ScreenToClient(hwnd_, &screen);
    return forms::accessibleChildAt(children(), {toTwips(screen.x, dpi_), toTwips(screen.y, dpi_)});
}

void AccessibleWindow::postDefaultAction(std::size_t index) const {
    PostMessageW(hwnd_, defaultActionMessage(), index, 0);
}

bool accessibleMessage(std::unique_ptr<AccessibleWindow>& accessible, HWND hwnd, const forms::Control& control,
                       const UINT& dpi, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETOBJECT) {
        if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) ||
            (accessible == nullptr && !AccessibleWindow::answersFor(control))) {
            return false;
        }
        if (accessible == nullptr) {
            accessible = std::make_unique<AccessibleWindow>(hwnd, control, dpi);
        }
        result = accessible->answer(wParam, lParam);
        return true;
    }
    // Handling may run a command that unloads the form, and this record with it: nothing after.
    return accessible != nullptr && accessible->handle(message, wParam);
}

}  // namespace win32

#include "win32/Win32Backend.h"

#include <commctrl.h>
#include <windowsx.h>

#include <climits>
#include <cmath>
#include <functional>

#include "win32/IconArt.h"
#include "win32/MessageChecks.h"
#include "win32/OutsideRequests.h"
#include "win32/Text.h"
#include "win32/TextInputGuard.h"

namespace win32 {

namespace {

using forms::Control;
using forms::Form;
using Kind = forms::Control::Kind;

// Every windowed control carries its name as a global atom under this window property, so that
// a program from outside (the end-to-end probe) can find a control by name.
constexpr const char* kControlNameProperty = "QuillmereControl";
constexpr const wchar_t* kPictureClass = L"QuillmerePicture";
constexpr const wchar_t* kFormClasses[] = {kMainWindowClass, L"QuillmereOptimize", L"QuillmereForm"};

const wchar_t* formClassOf(const Form& form) {
    if (form.name() == "FrmMain") {
        return kFormClasses[0];
    }
    if (form.name() == "FrmOptimize") {
        return kFormClasses[1];
    }
    return kFormClasses[2];
}

// GetProcAddress gives a generic function pointer; the call's real type is known by name.
template <typename Function>
Function systemFunction(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
}

// The per-monitor DPI calls exist from Windows 10 version 1607 on; before, one DPI holds for the
// whole session.
struct DpiCalls {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    UINT(WINAPI* forWindow)(HWND) = systemFunction<decltype(forWindow)>(user32, "GetDpiForWindow");
    UINT(WINAPI* forSystem)() = systemFunction<decltype(forSystem)>(user32, "GetDpiForSystem");
    BOOL(WINAPI* adjustWindowRect)(RECT*, DWORD, BOOL, DWORD, UINT) =
        systemFunction<decltype(adjustWindowRect)>(user32, "AdjustWindowRectExForDpi");
    int(WINAPI* systemMetric)(int, UINT) = systemFunction<decltype(systemMetric)>(user32, "GetSystemMetricsForDpi");
};

const DpiCalls& dpiCalls() {
    static const DpiCalls calls;
    return calls;
}

UINT systemDpi() {
    if (dpiCalls().forSystem != nullptr) {
        return dpiCalls().forSystem();
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

UINT windowDpi(HWND window) {
    return dpiCalls().forWindow != nullptr ? dpiCalls().forWindow(window) : systemDpi();
}

int systemMetric(int index, UINT dpi) {
    if (dpiCalls().systemMetric != nullptr) {
        return dpiCalls().systemMetric(index, dpi);
    }
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

// Taking a control's visual style off lets it draw in the colours it is given: a themed check box
// ignores its text colour and a themed progress bar its bar and background colours. The names are
// blanks rather than empty: Windows matches neither to a theme class, while Wine takes an empty
// name for no name at all and keeps the control's own class.
void removeVisualStyle(HWND window) {
    using SetWindowThemeCall = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const SetWindowThemeCall setWindowTheme = systemFunction<SetWindowThemeCall>(
        LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "SetWindowTheme");
    if (setWindowTheme != nullptr) {
        setWindowTheme(window, L" ", L" ");
    }
}

struct Frame {
    DWORD style;
    DWORD exStyle;
};

Frame frameOf(const Form& form) {
    DWORD style = WS_CLIPCHILDREN;
    if (form.style.titleBar) {
        // A fixed single border: a caption and a system menu, never a sizing frame.
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        if (form.style.minButton) {
            style |= WS_MINIMIZEBOX;
        }
    } else {
        style |= WS_POPUP | WS_BORDER;
    }
    return {style, form.style.showInTaskbar ? static_cast<DWORD>(WS_EX_APPWINDOW) : static_cast<DWORD>(WS_EX_TOOLWINDOW)};
}

// The window rectangle around a client rectangle, with the frame's metrics at a DPI.
RECT withFrame(RECT client, const Frame& frame, UINT dpi) {
    if (dpiCalls().adjustWindowRect != nullptr) {
        dpiCalls().adjustWindowRect(&client, frame.style, FALSE, frame.exStyle, dpi);
    } else {
        AdjustWindowRectEx(&client, frame.style, FALSE, frame.exStyle);
    }
    return client;
}

SIZE outerSize(const Form& form, UINT dpi) {
    const RECT outer =
        withFrame({0, 0, toPixels(form.clientWidth(), dpi), toPixels(form.clientHeight(), dpi)}, frameOf(form), dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

forms::Point twipsAt(LPARAM position, UINT dpi) {
    return {toTwips(GET_X_LPARAM(position), dpi), toTwips(GET_Y_LPARAM(position), dpi)};
}

UINT_PTR timerId(const forms::Timer& timer) { return reinterpret_cast<UINT_PTR>(&timer); }

// The system's progress bar holds whole numbers up to 2^31 - 1; the bar's single-precision
// figures can be far larger (kilobytes of a page file, megabytes of the address space). Figures
// that do not fit are both scaled onto the whole range, which keeps the filled share.
struct BarPosition {
    int max;
    int value;
};

BarPosition barPosition(const forms::ProgressBar& bar) {
    const double max = bar.Max();
    const double value = bar.Value();
    if (max <= INT_MAX) {
        const auto whole = static_cast<int>(std::llround(max));
        return {whole > 0 ? whole : 1, static_cast<int>(std::llround(value))};
    }
    return {INT_MAX, static_cast<int>(std::llround(value / max * INT_MAX))};
}

UINT iconStyle(forms::MessageIcon icon) {
    switch (icon) {
    case forms::MessageIcon::Information:
        return MB_ICONINFORMATION;
    }
    return 0;
}

// Builds a pop-up menu; each command item gets the next command number (from 1) and its place
// in the list of commands.
HMENU buildPopup(const forms::MenuItem& menu, std::vector<const forms::MenuItem*>& commands) {
    HMENU popup = CreatePopupMenu();
    for (const forms::MenuItem& item : menu.items) {
        const std::wstring caption = toWide(item.caption);
        if (item.isSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            AppendMenuW(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(buildPopup(item, commands)),
                        caption.c_str());
        } else {
            commands.push_back(&item);
            AppendMenuW(popup, MF_STRING, commands.size(), caption.c_str());
        }
    }
    return popup;
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance)
    : instance_(instance),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")),
      comeForwardMessage_(comeForwardMessage()),
      exitRequestMessage_(exitRequestMessage()),
      handCursor_(createHandCursor(instance)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kPictureClass;
    windowClass.style = CS_DBLCLKS;  // a double-click on a label button is one click
    RegisterClassExW(&windowClass);
    windowClass.style = 0;

    windowClass.hIcon = cache_.icon(32);
    windowClass.hIconSm = cache_.icon(16);
    for (const wchar_t* name : kFormClasses) {
        windowClass.lpszClassName = name;
        RegisterClassExW(&windowClass);
    }
}

Win32Backend::~Win32Backend() {
    for (const auto& [form, owner] : forms_) {
        destroyWindows(*owner);
    }
    forms_.clear();
    for (const wchar_t* name : kFormClasses) {
        UnregisterClassW(name, instance_);
    }
    UnregisterClassW(kPictureClass, instance_);
    DestroyCursor(handCursor_);
}

int Win32Backend::runMessageLoop() {
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (isForgedPostedMessage(message) || navigationKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (got == 0) {
        raiseQuitRequested();
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

// --- forms -------------------------------------------------------------------------------------

bool Win32Backend::formLoaded(Form& form) {
    auto record = std::make_unique<FormWindow>();
    FormWindow& owner = *record;
    owner.form = &form;
    owner.self = Window{this, &owner, nullptr};
    forms_.emplace(&form, std::move(record));
    // A window the system cannot make (out of window handles or desktop heap), or cannot fill,
    // leaves nothing behind: the form stays unloaded.
    bool made = false;
    try {
        made = makeFormWindow(owner);
    } catch (...) {
        made = false;
    }
    if (!made) {
        if (owner.self.hwnd != nullptr) {
            destroyWindows(owner);
        }
        forms_.erase(&form);
    }
    return made;
}

bool Win32Backend::makeFormWindow(FormWindow& owner) {
    const Form& form = *owner.form;
    const Frame frame = frameOf(form);
    CreateWindowExW(frame.exStyle, formClassOf(form), toWide(form.caption()).c_str(), frame.style, 0, 0, 0, 0,
                    nullptr, nullptr, instance_, &owner.self);
    if (owner.self.hwnd == nullptr) {
        return false;
    }
    // A program started with administrator rights still hears a new taskbar, another start and the
    // installer.
    for (UINT message : {taskbarCreatedMessage_, comeForwardMessage_, exitRequestMessage_}) {
        ChangeWindowMessageFilterEx(owner.self.hwnd, message, MSGFLT_ALLOW, nullptr);
    }
    owner.dpi = windowDpi(owner.self.hwnd);
    placeFormWindow(owner);

    for (const auto& control : form.controls()) {
        if (control->isWindowed()) {
            createChild(owner, *control);
        }
    }
    addToolTips(owner);
    applyDpi(owner, owner.dpi);
    applyEnabled(owner);
    startFocusCue(owner);
    colors_.rememberLooks(form);
    return true;
}

void Win32Backend::formUnloaded(Form& form) {
    const auto found = forms_.find(&form);
    if (found == forms_.end()) {
        return;
    }
    FormWindow& owner = *found->second;
    for (const auto& timer : form.timers()) {
        KillTimer(owner.self.hwnd, timerId(*timer));
    }
    colors_.forgetLooks(form);
    destroyWindows(owner);
    forms_.erase(found);
}

void Win32Backend::destroyWindows(const FormWindow& owner) {
    for (const auto& child : owner.children) {
        RemovePropA(child->hwnd, kControlNameProperty);
        GlobalDeleteAtom(child->nameAtom);
    }
    // Destroying the window destroys its child windows and its owned tooltip window too.
    DestroyWindow(owner.self.hwnd);
}

void Win32Backend::formChanged(Form& form, forms::FormProperty property) {
    FormWindow* owner = recordOf(form);
    if (owner == nullptr) {
        return;
    }
    const HWND window = owner->self.hwnd;
    switch (property) {
    case forms::FormProperty::Visible:
        if (!form.visible()) {
            ShowWindow(window, SW_HIDE);
        } else if (form.windowState() == forms::WindowState::Normal && IsIconic(window)) {
            // Restored while it was hidden: it comes back restored.
            ShowWindow(window, SW_SHOWNORMAL);
        } else {
            ShowWindow(window, SW_SHOW);
        }
        break;
    case forms::FormProperty::WindowState:
        if (form.windowState() == forms::WindowState::Minimized) {
            ShowWindow(window, form.visible() ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
            if (!form.visible()) {
                // Minimized while hidden (a start in the tray): minimized, and still hidden.
                ShowWindow(window, SW_HIDE);
            }
        } else if (form.visible()) {
            ShowWindow(window, SW_RESTORE);
        }
        break;
    case forms::FormProperty::Position:
        SetWindowPos(window, nullptr, toPixels(form.left(), owner->dpi), toPixels(form.top(), owner->dpi), 0, 0,
                     SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case forms::FormProperty::Enabled:
        break;  // a form keeps no enabled state of its own; modal windows disable the others
    case forms::FormProperty::Focus:
        focusChanged(*owner);
        tellReaders(*owner);
        break;
    }
}

void Win32Backend::placeFormWindow(FormWindow& owner) {
    const Form& form = *owner.form;
    const SIZE outer = outerSize(form, owner.dpi);
    POINT at{toPixels(form.left(), owner.dpi), toPixels(form.top(), owner.dpi)};
    if (form.style.titleBar) {
        // A window with a title bar comes up centred on its screen.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(owner.self.hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        at = {work.left + (work.right - work.left - outer.cx) / 2, work.top + (work.bottom - work.top - outer.cy) / 2};
    }
    SetWindowPos(owner.self.hwnd, nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lays the whole form out again at a DPI: child windows, fonts, text sizes, icons.
void Win32Backend::applyDpi(FormWindow& owner, UINT dpi) {
    owner.dpi = dpi;
    for (const auto& child : owner.children) {
        placeChild(*child);
        applyFont(*child);
    }
    for (const auto& control : owner.form->controls()) {
        if (!control->isWindowed()) {
            fitToText(owner, *control);
            owner.painted[control.get()] = control->visible() ? pixelRect(control->rect(), dpi) : RECT{};
            placeToolTip(owner, *control);
        }
    }
    setIcons(owner);
    RedrawWindow(owner.self.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Backend::setIcons(const FormWindow& owner) {
    const HWND window = owner.self.hwnd;
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(cache_.icon(systemMetric(SM_CXSMICON, owner.dpi))));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(cache_.icon(systemMetric(SM_CXICON, owner.dpi))));
}

Win32Backend::FormWindow* Win32Backend::recordOf(const Form& form) const {
    const auto found = forms_.find(&form);
    return found != forms_.end() ? found->second.get() : nullptr;
}

Win32Backend::Window* Win32Backend::windowOf(HWND hwnd) const {
    const auto found = windows_.find(hwnd);
    return found != windows_.end() ? found->second : nullptr;
}

forms::NativeHandle Win32Backend::handleOf(const Form& form) const {
    const FormWindow* owner = recordOf(form);
    return owner != nullptr ? reinterpret_cast<forms::NativeHandle>(owner->self.hwnd) : 0;
}

forms::NativeHandle Win32Backend::handleOf(const Control& control) const {
    const FormWindow* owner = recordOf(control.form());
    if (owner == nullptr) {
        return 0;
    }
    const auto found = owner->windowed.find(&control);
    return found != owner->windowed.end() ? reinterpret_cast<forms::NativeHandle>(found->second->hwnd) : 0;
}

forms::NativeHandle Win32Backend::iconOf(const Form& form) const {
    const FormWindow* owner = recordOf(form);
    return owner != nullptr ? reinterpret_cast<forms::NativeHandle>(cache_.icon(systemMetric(SM_CXSMICON, owner->dpi)))
                            : 0;
}

int Win32Backend::frameHeight(const Form& form) const {
    const FormWindow* owner = recordOf(form);
    const UINT dpi = owner != nullptr ? owner->dpi : systemDpi();
    const RECT frame = withFrame({0, 0, 0, 0}, frameOf(form), dpi);
    return toTwips(frame.bottom - frame.top, dpi);
}

double Win32Backend::twipsPerPixel() const {
    for (const auto& [form, owner] : forms_) {
        if (form->name() == "FrmMain") {
            return 1440.0 / owner->dpi;
        }
    }
    return 1440.0 / systemDpi();
}

// --- controls ----------------------------------------------------------------------------------

HWND Win32Backend::containerWindow(const FormWindow& owner, const Control& control) const {
    if (control.container() != nullptr) {
        const auto found = owner.windowed.find(control.container());
        if (found != owner.windowed.end()) {
            return found->second->hwnd;
        }
    }
    return owner.self.hwnd;
}

// Creates a windowed control's child window; its place and font are set by applyDpi.
void Win32Backend::createChild(FormWindow& owner, Control& control) {
    auto record = std::make_unique<Window>(Window{this, &owner, &control});
    Window& child = *record;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.visible() ? WS_VISIBLE : 0);
    const wchar_t* className = nullptr;
    switch (control.kind()) {
    case Kind::PictureBox:
        className = kPictureClass;
        style |= WS_CLIPCHILDREN | (control.border ? WS_BORDER : 0);
        break;
    case Kind::TextBox:
        className = WC_EDITW;
        style |= ES_AUTOHSCROLL | (control.border ? WS_BORDER : 0);
        break;
    case Kind::CheckBox:
        // Not an automatic check box: the model decides the state, the window shows it. Three
        // states, for the greyed value 2 a stored setting may give.
        className = WC_BUTTONW;
        style |= BS_3STATE;
        break;
    case Kind::ProgressBar:
        className = PROGRESS_CLASSW;
        style |= PBS_SMOOTH;
        break;
    case Kind::UpDown:
        // No buddy of its own: the model writes the bound text box.
        className = UPDOWN_CLASSW;
        style |= UDS_ARROWKEYS;
        break;
    case Kind::Label:
    case Kind::Shape:
    case Kind::Image:
        return;
    }
    const std::wstring text = control.kind() == Kind::PictureBox ? std::wstring() : toWide(control.text());
    const HWND hwnd = CreateWindowExW(0, className, text.c_str(), style, 0, 0, 0, 0, containerWindow(owner, control),
                                      nullptr, instance_, &child);
    if (hwnd == nullptr) {
        return;
    }
    if (control.kind() != Kind::PictureBox) {
        // Our own picture class registered itself on creation; the system's classes are
        // subclassed for the pointer and focus events.
        // The window procedure is swapped directly rather than through the common controls'
        // subclass chain, which looks up a window property on every message.
        child.hwnd = hwnd;
        windows_[hwnd] = &child;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&child));
        child.systemProc =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(childProc)));
    }
    child.nameAtom = GlobalAddAtomA(control.name().c_str());
    SetPropA(hwnd, kControlNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(child.nameAtom)));

    if (control.kind() == Kind::CheckBox || control.kind() == Kind::ProgressBar) {
        removeVisualStyle(hwnd);
    }
    if (control.kind() == Kind::UpDown) {
        // The control only reports presses (the model steps, and every change of the control's
        // own is refused), so it rests in the middle of a range it never leaves.
        SendMessageW(hwnd, UDM_SETRANGE32, 0, 1000);
        SendMessageW(hwnd, UDM_SETPOS32, 0, 500);
    }
    owner.windowed[&control] = &child;
    owner.children.push_back(std::move(record));
    applyValue(child);
}

void Win32Backend::placeChild(const Window& child) {
    const RECT rect = pixelRect(child.control->rect(), child.owner->dpi);
    SetWindowPos(child.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A check box's caption is clipped at the box's right edge, and a caption designed to fill its box
// at one DPI can be a few pixels wider at another, where the font's hinting rounds its widths up:
// the font then steps down a pixel at a time until the caption fits.
HFONT Win32Backend::checkBoxFont(const Window& child) {
    const forms::Font& font = child.control->font();
    const UINT dpi = child.owner->dpi;
    RECT client;
    GetClientRect(child.hwnd, &client);
    // The box and the gap before the caption.
    const int room = client.right - systemMetric(SM_CXMENUCHECK, dpi) - scaled(4, dpi);
    const std::wstring text = toWide(child.control->text());
    HDC screen = GetDC(nullptr);
    const int designed = GdiCache::pixelHeight(font, dpi);
    HFONT chosen = cache_.fontOfHeight(font, designed);
    for (int pixels = designed; pixels > designed * 3 / 4; --pixels) {
        chosen = cache_.fontOfHeight(font, pixels);
        const HGDIOBJ old = SelectObject(screen, chosen);
        SIZE size{};
        GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(screen, old);
        if (size.cx <= room) {
            break;
        }
    }
    ReleaseDC(nullptr, screen);
    return chosen;
}

void Win32Backend::applyFont(const Window& child) {
    const Kind kind = child.control->kind();
    if (kind == Kind::TextBox) {
        SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(cache_.font(child.control->font(), child.owner->dpi)),
                     TRUE);
    }
    if (kind == Kind::CheckBox) {
        SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(checkBoxFont(child)), TRUE);
    }
    if (kind == Kind::TextBox) {
        // A text box's text starts at its left edge, in line with the labels designed above and below
        // it; a new font brings back the font's own margins, so they go after every font.
        SendMessageW(child.hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    }
}

void Win32Backend::applyText(const Window& child) {
    const Kind kind = child.control->kind();
    if (kind != Kind::TextBox && kind != Kind::CheckBox) {
        return;
    }
    // Only a different text is written: writing resets the caret of a text box being typed in.
    const std::wstring text = toWide(child.control->text());
    if (windowText(child.hwnd) != text) {
        SetWindowTextW(child.hwnd, text.c_str());
    }
}

void Win32Backend::applyValue(const Window& child) {
    if (const auto* box = dynamic_cast<const forms::CheckBox*>(child.control)) {
        SendMessageW(child.hwnd, BM_SETCHECK, static_cast<WPARAM>(box->value()), 0);
    } else if (const auto* bar = dynamic_cast<const forms::ProgressBar*>(child.control)) {
        // The display tick sets every bar each second, and the memory figures move a little almost
        // every time. A bar is repainted only when its fill would look different: a new position
        // that fills the same pixels as the one shown is not sent.
        const BarPosition position = barPosition(*bar);
        const bool sameRange = SendMessageW(child.hwnd, PBM_GETRANGE, FALSE, 0) == position.max &&
                               SendMessageW(child.hwnd, PBM_GETRANGE, TRUE, 0) == 0;
        if (!sameRange) {
            SendMessageW(child.hwnd, PBM_SETRANGE32, 0, position.max);
        }
        const auto shown = static_cast<int>(SendMessageW(child.hwnd, PBM_GETPOS, 0, 0));
        RECT client;
        GetClientRect(child.hwnd, &client);
        const auto filled = [&](int value) { return MulDiv(value, client.right, position.max); };
        if (shown != position.value && (!sameRange || filled(shown) != filled(position.value))) {
            SendMessageW(child.hwnd, PBM_SETPOS, static_cast<WPARAM>(position.value), 0);
        }
    }
}

// A disabled container disables what is inside it. Picture boxes themselves stay enabled: a
// disabled child window passes the pointer to its parent, and the main window's own mouse-move
// messages must remain the tray icon's alone. The model refuses their events instead.
void Win32Backend::applyEnabled(const FormWindow& owner) {
    for (const auto& child : owner.children) {
        if (child->control->kind() != Kind::PictureBox) {
            EnableWindow(child->hwnd, child->control->isEffectivelyEnabled());
        }
    }
}

void Win32Backend::addToolTips(FormWindow& owner) {
    for (const auto& control : owner.form->controls()) {
        if (control->toolTip.empty()) {
            continue;
        }
        if (owner.toolTips == nullptr) {
            owner.toolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                             0, 0, 0, 0, owner.self.hwnd, nullptr, instance_, nullptr);
        }
        std::wstring text = toWide(control->toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = containerWindow(owner, *control);
        tool.lpszText = text.data();
        const auto found = owner.windowed.find(control.get());
        if (found != owner.windowed.end()) {
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.uId = reinterpret_cast<UINT_PTR>(found->second->hwnd);
        } else {
            // A windowless control is a rectangle of its container, kept up to date by placeToolTip.
            tool.uFlags = TTF_SUBCLASS;
            tool.uId = reinterpret_cast<UINT_PTR>(control.get());
        }
        SendMessageW(owner.toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Win32Backend::placeToolTip(const FormWindow& owner, const Control& control) {
    if (owner.toolTips == nullptr || control.toolTip.empty() || control.isWindowed()) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = containerWindow(owner, control);
    tool.uId = reinterpret_cast<UINT_PTR>(&control);
    tool.rect = control.visible() ? pixelRect(control.rect(), owner.dpi) : RECT{};
    SendMessageW(owner.toolTips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// An auto-size label takes the size of its text; the model holds it in twips, so that hit-tests
// see the label where it is drawn.
void Win32Backend::fitToText(FormWindow& owner, Control& label) {
    if (label.kind() != Kind::Label || !label.autoSize) {
        return;
    }
    const SIZE size = measureLabel(label, owner.dpi, cache_);
    forms::Rect rect = label.rect();
    const int width = label.wordWrap ? rect.width : twipsCovering(size.cx, owner.dpi);
    const int height = twipsCovering(size.cy, owner.dpi);
    if (width != rect.width || height != rect.height) {
        rect.width = width;
        rect.height = height;
        label.setRect(rect);
    }
}

// Invalidates what a windowless control covered when last painted and what it covers now, and
// nothing else.
void Win32Backend::repaintWindowless(FormWindow& owner, const Control& control) {
    const RECT now = control.visible() ? pixelRect(control.rect(), owner.dpi) : RECT{};
    RECT& last = owner.painted[&control];
    RECT both;
    UnionRect(&both, &last, &now);
    last = now;
    if (!IsRectEmpty(&both)) {
        InvalidateRect(containerWindow(owner, control), &both, FALSE);
    }
}

void Win32Backend::tellReaders(const FormWindow& owner) {
    for (const auto& child : owner.children) {
        if (child->accessible != nullptr) {
            child->accessible->modelChanged();
        }
    }
}

void Win32Backend::controlChanged(Control& control, forms::Property property) {
    FormWindow* owner = recordOf(control.form());
    if (owner == nullptr) {
        return;
    }
    tellReaders(*owner);
    if (!control.isWindowed()) {
        switch (property) {
        case forms::Property::Text:
        case forms::Property::Font:
            fitToText(*owner, control);
            break;
        case forms::Property::Rect:
        case forms::Property::Visible:
            placeToolTip(*owner, control);
            break;
        case forms::Property::Enabled:
        case forms::Property::ForeColor:
        case forms::Property::BackColor:
        case forms::Property::Value:
        case forms::Property::Range:
            break;
        }
        repaintWindowless(*owner, control);
        return;
    }
    const auto found = owner->windowed.find(&control);
    if (found == owner->windowed.end()) {
        return;
    }
    const Window& child = *found->second;
    switch (property) {
    case forms::Property::Text:
        applyText(child);
        break;
    case forms::Property::Font:
        applyFont(child);
        break;
    case forms::Property::ForeColor:
    case forms::Property::BackColor:
        InvalidateRect(child.hwnd, nullptr, TRUE);
        break;
    case forms::Property::Rect:
        placeChild(child);
        break;
    case forms::Property::Enabled:
        applyEnabled(*owner);
        break;
    case forms::Property::Visible:
        ShowWindow(child.hwnd, control.visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case forms::Property::Value:
    case forms::Property::Range:
        applyValue(child);
        break;
    }
}

void Win32Backend::setFocus(Control& control) {
    const FormWindow* owner = recordOf(control.form());
    if (owner == nullptr) {
        return;
    }
    if (control.isWindowed()) {
        if (const HWND window = reinterpret_cast<HWND>(handleOf(control))) {
            SetFocus(window);  // its WM_SETFOCUS tells the form
        }
        return;
    }
    // A windowless control has the form's focus while its container holds the system's.
    const HWND container = containerWindow(*owner, control);
    if (GetFocus() != container) {
        SetFocus(container);
    }
    if (GetFocus() == container) {
        control.form().focusArrived(&control);
    }
}

// --- timers ------------------------------------------------------------------------------------

bool Win32Backend::timerChanged(forms::Timer& timer) {
    for (const auto& [form, owner] : forms_) {
        for (const auto& candidate : form->timers()) {
            if (candidate.get() != &timer) {
                continue;
            }
            if (!timer.enabled()) {
                KillTimer(owner->self.hwnd, timerId(timer));
                return true;
            }
            const auto interval = static_cast<UINT>(timer.interval() > 0 ? timer.interval() : 1);
            return SetTimer(owner->self.hwnd, timerId(timer), interval, nullptr) != 0;
        }
    }
    return false;  // not a timer of a loaded form: nothing can run it
}

// --- the message loop and its nested forms ------------------------------------------------------

void Win32Backend::doEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // A quit request from outside, here in the middle of a run: the program ends now.
            raiseQuitRequested();
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (isForgedPostedMessage(message) || navigationKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Backend::showModal(Form& form) {
    std::vector<HWND> disabled;
    for (const auto& [other, owner] : forms_) {
        if (other != &form && IsWindowEnabled(owner->self.hwnd)) {
            EnableWindow(owner->self.hwnd, FALSE);
            disabled.push_back(owner->self.hwnd);
        }
    }
    form.show();
    MSG message{};
    while (form.loaded() && form.visible()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                raiseQuitRequested();
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (isForgedPostedMessage(message) || navigationKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (const HWND window : disabled) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
}

void Win32Backend::popupMenu(Form& owner, const forms::MenuItem& menu, const forms::MenuPlace& place) {
    const HWND window = reinterpret_cast<HWND>(handleOf(owner));
    if (window == nullptr) {
        return;
    }
    std::vector<const forms::MenuItem*> commands;
    HMENU popup = buildPopup(menu, commands);
    const POINT at = popupPoint(owner, place);
    // A menu opened from the tray closes on a click elsewhere or Escape only if its window is in
    // the foreground while it tracks, and once it has seen a message after it closes.
    SetForegroundWindow(window);
    if (place.fromKeyboard) {
        // The menu's own loop takes this key first: it selects the first item.
        PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    }
    const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window,
        nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen >= 1 && chosen <= commands.size()) {
        const std::function<void()> click = commands[chosen - 1]->Click;
        forms::raiseEvent(click);
    }
}

void Win32Backend::messageBox(const forms::Form* owner, const std::string& text, const std::string& caption,
                              forms::MessageIcon icon) {
    // The owner is disabled while the box is up, so a click on it goes to the box.
    const HWND ownerWindow = owner != nullptr ? reinterpret_cast<HWND>(handleOf(*owner)) : nullptr;
    MessageBoxW(ownerWindow, toWide(text).c_str(), toWide(caption).c_str(),
                MB_OK | MB_APPLMODAL | iconStyle(icon) | MB_SETFOREGROUND);
}

// --- window procedures ---------------------------------------------------------------------------

LRESULT CALLBACK Win32Backend::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the window's own creation names its record: another program can send the message to a
    // window that has one.
    if (message == WM_NCCREATE && GetWindowLongPtrW(hwnd, GWLP_USERDATA) == 0) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd = hwnd;
        created->backend->windows_[hwnd] = created;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        window->backend->windows_.erase(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // A handler may unload the form and so delete its records: nothing here touches them after.
    // No exception may cross into the system's code that called this procedure.
    try {
        return window->control == nullptr ? window->backend->formMessage(*window->owner, message, wParam, lParam)
                                          : window->backend->pictureMessage(*window, message, wParam, lParam);
    } catch (...) {
        // The message counts as handled, except where the system must still do its part; a
        // failed close request keeps the window.
        if (message == WM_PAINT) {
            ValidateRect(hwnd, nullptr);
        }
        return message == WM_CLOSE || message == WM_PAINT ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK Win32Backend::childProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& child = *reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const WNDPROC systemProc = child.systemProc;
    Win32Backend& backend = *child.backend;
    // While a control's own procedure runs, the notifications it sends its parent are its own.
    const auto callSystem = [&] {
        ++backend.controlProcedures_;
        const LRESULT result = CallWindowProcW(systemProc, hwnd, message, wParam, lParam);
        --backend.controlProcedures_;
        return result;
    };
    if (LRESULT answer = 0;
        accessibleMessage(child.accessible, hwnd, *child.control, child.owner->dpi, message, wParam, lParam, answer)) {
        return answer;
    }
    switch (message) {
    case WM_MOUSEMOVE: {
        const LRESULT result = callSystem();
        child.control->raiseMouseMove();
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = callSystem();
        child.control->form().focusArrived(child.control);
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = callSystem();
        backend.focusLeaving(*child.owner, reinterpret_cast<HWND>(wParam));
        return result;
    }
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
        lParam = backend.colors_.barColor(child.barColors, message, lParam);
        break;
    case WM_CONTEXTMENU:
        if (const auto* box = dynamic_cast<const forms::TextBox*>(child.control); box && refusedByTextBox(*box, message)) {
            return 0;
        }
        break;
    case WM_NCDESTROY:
        child.backend->windows_.erase(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return callSystem();
}

bool Win32Backend::childNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND: {
        const Window* child = windowOf(reinterpret_cast<HWND>(lParam));
        if (child == nullptr) {
            return false;
        }
        if (HIWORD(wParam) == BN_CLICKED) {
            if (auto* box = dynamic_cast<forms::CheckBox*>(child->control)) {
                box->userClick();
                // The handler may have changed anything, even unloaded the form: look again.
                if (const Window* shown = windowOf(reinterpret_cast<HWND>(lParam))) {
                    applyValue(*shown);
                }
            }
        } else if (HIWORD(wParam) == EN_CHANGE) {
            if (auto* box = dynamic_cast<forms::TextBox*>(child->control)) {
                takeEditedText(*box, child->hwnd);
            }
        }
        result = 0;
        return true;
    }
    case WM_NOTIFY: {
        // Only a notification that one of our controls sends from its own procedure is read; one
        // from another program (sent, or posted and dispatched by a loop of the system's) holds a
        // pointer of its own, or none, and is answered without being read.
        if (lParam == 0 || controlProcedures_ == 0) {
            result = 0;
            return true;
        }
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        const Window* child = windowOf(header->hwndFrom);
        auto* upDown = child != nullptr ? dynamic_cast<forms::UpDown*>(child->control) : nullptr;
        if (upDown == nullptr || header->code != UDN_DELTAPOS) {
            return false;
        }
        const int delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
        if (delta != 0) {
            upDown->step(delta > 0 ? 1 : -1);
        }
        result = TRUE;  // the control itself changes nothing
        return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const Window* child = windowOf(reinterpret_cast<HWND>(lParam));
        if (child == nullptr) {
            return false;
        }
        const auto dc = reinterpret_cast<HDC>(wParam);
        const COLORREF back = colors_.color(forms::ColorUse::Background, child->control->backColor());
        SetTextColor(dc, colors_.color(forms::ColorUse::Text, child->control->foreColor()));
        SetBkColor(dc, back);
        SetDCBrushColor(dc, back);
        result = reinterpret_cast<LRESULT>(cache_.brush(back));
        return true;
    }
    default:
        return false;
    }
}

LRESULT Win32Backend::formMessage(FormWindow& owner, UINT message, WPARAM wParam, LPARAM lParam) {
    Form& form = *owner.form;
    const HWND hwnd = owner.self.hwnd;
    // Registered messages lie in 0xC000..0xFFFF; one the system could not register is 0 and
    // must not take WM_NULL for itself.
    if (message >= 0xC000) {
        if (message == comeForwardMessage_) {
            form.raiseComeForward();
            if (IsWindowVisible(hwnd)) {
                SetForegroundWindow(hwnd);
            }
            return 0;
        }
        if (message == exitRequestMessage_) {
            form.raiseExitRequested();
            return 0;
        }
        if (message == taskbarCreatedMessage_) {
            form.raiseTaskbarCreated();
            return 0;
        }
    }
    LRESULT result = 0;
    if (childNotification(message, wParam, lParam, result) || formFocusMessage(owner, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_CLOSE:
        form.requestClose();  // the form decides: it may hide itself instead
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // nothing to save: every setting is written when it changes
    case WM_ENDSESSION:
        // Logging off, shutting down, or a restart manager closing the program (ENDSESSION_CLOSEAPP):
        // the process may be ended at any moment after this returns.
        if (wParam != FALSE) {
            raiseQuitRequested();
        }
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && !form.requestMinimize()) {
            return 0;
        }
        break;
    case WM_SIZE:
        // Minimised some other way (another program's ShowWindow): it comes straight back.
        if (wParam == SIZE_MINIMIZED && !form.requestMinimize()) {
            ShowWindowAsync(hwnd, SW_SHOWNOACTIVATE);
        }
        break;
    case WM_TIMER:
        for (const auto& timer : form.timers()) {
            if (timerId(*timer) == wParam) {
                timer->elapse();
                return 0;
            }
        }
        return 0;
    case WM_MOUSEMOVE:
        // The form's content covers its client area, so these are the tray icon's notifications,
        // in the form of the protocol's version 4: the event and the icon's id in lParam, the point
        // in wParam.
        form.raiseTrayMouseMove({LOWORD(lParam), HIWORD(lParam),
                                 {GET_X_LPARAM(static_cast<LPARAM>(wParam)), GET_Y_LPARAM(static_cast<LPARAM>(wParam))}});
        return 0;
    case WM_DPICHANGED: {
        // Another program can send this message too: the DPI is the system's own for the window, and
        // the suggested rectangle is read only when the system gave it on this thread.
        const bool fromSystem = !sentFromAnotherThread();
        const UINT dpi = dpiCalls().forWindow != nullptr ? windowDpi(hwnd) : fromSystem ? HIWORD(wParam) : owner.dpi;
        if (dpi == owner.dpi || dpi == 0) {
            return 0;
        }
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam); suggested != nullptr && fromSystem) {
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            const SIZE outer = outerSize(form, dpi);
            SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        applyDpi(owner, dpi);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        followColorScheme(hwnd, message);
        break;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT paints everything
    case WM_PAINT: {
        static const std::vector<forms::PictureFill> noBands;
        std::vector<Control*> onForm;
        for (const auto& control : form.controls()) {
            if (control->container() == nullptr) {
                onForm.push_back(control.get());
            }
        }
        paintWindow(hwnd, owner.dpi, {form.backColor, noBands}, onForm, nullptr, cache_, colors_);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Backend::pictureMessage(Window& picture, UINT message, WPARAM wParam, LPARAM lParam) {
    Control& control = *picture.control;
    Form& form = control.form();
    const HWND hwnd = picture.hwnd;
    const UINT dpi = picture.owner->dpi;
    LRESULT result = 0;
    if (accessibleMessage(picture.accessible, hwnd, control, picture.owner->dpi, message, wParam, lParam, result) ||
        childNotification(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT paints everything
    case WM_PAINT: {
        const Control* cue = picture.owner->focusCueAround;
        paintWindow(hwnd, dpi, {control.backColor(), control.picture}, control.children(),
                    cue != nullptr && cue->container() == &control ? cue : nullptr, cache_, colors_);
        return 0;
    }
    case WM_MOUSEMOVE:
        form.mouseMoveAt(control, twipsAt(lParam, dpi));
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        picture.pressing = true;
        picture.pressedHit = form.hitTest(control, twipsAt(lParam, dpi));
        return 0;
    case WM_LBUTTONUP: {
        const bool pressing = picture.pressing;
        const Control* pressedHit = picture.pressedHit;
        picture.pressing = false;
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        const forms::Point point = twipsAt(lParam, dpi);
        if (pressing && form.hitTest(control, point) == pressedHit) {
            form.clickAt(control, point);
        }
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        // The second press of a double-click, as on a button: the first press and release were
        // the click, and this one starts none.
        return 0;
    case WM_CAPTURECHANGED:
        picture.pressing = false;
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) != hwnd) {
            return FALSE;  // a child window sets its own pointer
        }
        if (LOWORD(lParam) == HTCLIENT) {
            POINT pointer{};
            GetCursorPos(&pointer);
            ScreenToClient(hwnd, &pointer);
            const Control* hit = form.hitTest(control, {toTwips(pointer.x, dpi), toTwips(pointer.y, dpi)});
            const Control& under = hit != nullptr ? *hit : control;
            const bool hand = under.mousePointer == forms::Cursor::Hand && under.isEffectivelyEnabled();
            SetCursor(hand && handCursor_ != nullptr ? handCursor_ : LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_SETFOCUS:
        form.focusArrived(&control);
        return 0;
    case WM_KILLFOCUS:
        focusLeaving(*picture.owner, reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32

// The keyboard in the program's windows: the navigation keys the message loops hand to the
// forms, the window system's focus as the forms follow it, the focus cue, and where menus open.
// The forms decide (tab order, which key does what); this is the mechanics.
#include "win32/Win32Backend.h"

namespace win32 {

namespace {

bool keyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

bool Win32Backend::navigationKey(const MSG& message) noexcept {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    const Window* window = windowOf(message.hwnd);
    if (window == nullptr || keyDown(VK_CONTROL) || keyDown(VK_MENU)) {
        return false;
    }
    forms::Form& form = *window->owner->form;
    const bool shift = keyDown(VK_SHIFT);
    const bool repeat = (message.lParam & (1L << 30)) != 0;
    try {
        switch (message.wParam) {
        case VK_TAB:
            return form.keyPressed(forms::NavigationKey::Tab, shift);
        case VK_RETURN:
        case VK_SPACE: {
            // A key held down presses a label button once; a check box sees its own repeats.
            if (repeat) {
                const forms::Control* focus = form.keyboardFocus();
                return focus != nullptr && !focus->isWindowed();
            }
            const auto key = message.wParam == VK_RETURN ? forms::NavigationKey::Enter : forms::NavigationKey::Space;
            return form.keyPressed(key, shift);
        }
        case VK_ESCAPE:
            return form.keyPressed(forms::NavigationKey::Escape, shift);
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            return form.keyPressed(forms::NavigationKey::Arrow, shift);
        default:
            return false;
        }
    } catch (...) {
        return true;  // the key did what it could; nothing may leave the message loop
    }
}

void Win32Backend::startFocusCue(FormWindow& owner) {
    BOOL alwaysShown = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
    SendMessageW(owner.self.hwnd, WM_CHANGEUISTATE,
                 MAKEWPARAM(alwaysShown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    owner.form->setFocusCueShown(alwaysShown != FALSE);
}

const forms::Control* Win32Backend::focusCueTarget(const FormWindow& owner) const {
    const forms::Form& form = *owner.form;
    const forms::Control* focus = form.keyboardFocus();
    if (!form.focusCueShown() || focus == nullptr || focus->isWindowed() || !focus->visible()) {
        return nullptr;
    }
    // Drawn only while the container holds the system's focus: not in a window in the background.
    return GetFocus() == containerWindow(owner, *focus) ? focus : nullptr;
}

void Win32Backend::focusChanged(FormWindow& owner) {
    const HWND window = owner.self.hwnd;
    const bool shown = owner.form->focusCueShown();
    const bool windowShows = (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
    if (shown != windowShows) {
        // The window and all its children, the check boxes among them, follow.
        SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(shown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
    }
    const forms::Control* target = focusCueTarget(owner);
    if (target == owner.focusCueAround) {
        return;
    }
    for (const forms::Control* control : {owner.focusCueAround, target}) {
        if (control != nullptr) {
            const RECT rect = pixelRect(control->rect(), owner.dpi);
            InvalidateRect(containerWindow(owner, *control), &rect, FALSE);
        }
    }
    owner.focusCueAround = target;
}

void Win32Backend::focusLeaving(const FormWindow& owner, HWND gaining) {
    const Window* next = windowOf(gaining);
    if (next == nullptr || next->owner != &owner) {
        owner.form->focusArrived(nullptr);
    }
}

bool Win32Backend::formFocusMessage(FormWindow& owner, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    forms::Form& form = *owner.form;
    const HWND hwnd = owner.self.hwnd;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            owner.focusToRestore = form.keyboardFocus();
            return false;
        }
        // Active again: the focus goes back where it was, as in a dialog, rather than to the window.
        if (HIWORD(wParam) == 0 && owner.focusToRestore != nullptr && owner.focusToRestore->canTakeFocus()) {
            setFocus(*owner.focusToRestore);
            result = 0;
            return true;
        }
        return false;
    case WM_SETFOCUS:
        form.focusArrived(nullptr);  // the window itself: none of its controls
        return false;
    case WM_UPDATEUISTATE:
        // The system changed the cues (the user pressed Alt, say): the default handling passes it
        // on to the children, then the form takes the window's new state.
        result = DefWindowProcW(hwnd, message, wParam, lParam);
        form.setFocusCueShown((SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0);
        return true;
    default:
        return false;
    }
}

POINT Win32Backend::popupPoint(const forms::Form& owner, const forms::MenuPlace& place) const {
    POINT at{};
    const FormWindow* record = recordOf(owner);
    switch (place.anchor) {
    case forms::MenuPlace::Anchor::ScreenPoint:
        at = {place.screenPixels.x, place.screenPixels.y};
        return at;
    case forms::MenuPlace::Anchor::UnderControl:
        if (record != nullptr && place.control != nullptr) {
            const RECT rect = pixelRect(place.control->rect(), record->dpi);
            at = {rect.left, rect.bottom};
            ClientToScreen(containerWindow(*record, *place.control), &at);
            return at;
        }
        break;
    case forms::MenuPlace::Anchor::Pointer:
        break;
    }
    GetCursorPos(&at);
    return at;
}

}  // namespace win32

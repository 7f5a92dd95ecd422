// The form toolkit's real backend: one top-level window per loaded form, real child windows for
// the windowed controls (picture boxes, text boxes, check boxes, progress bars, up-down controls),
// and the windowless ones (labels, shapes, images) painted and hit-tested by their container.
// Twips become pixels at each window's own DPI.
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "forms/Forms.h"
#include "win32/Accessible.h"
#include "win32/Render.h"

namespace win32 {

class Win32Backend : public forms::Backend {
public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    // Dispatches messages until WM_QUIT; returns its exit code.
    int runMessageLoop();

    bool formLoaded(forms::Form& form) override;
    void formUnloaded(forms::Form& form) override;
    void formChanged(forms::Form& form, forms::FormProperty property) override;
    void controlChanged(forms::Control& control, forms::Property property) override;
    bool timerChanged(forms::Timer& timer) override;
    forms::NativeHandle handleOf(const forms::Form& form) const override;
    forms::NativeHandle handleOf(const forms::Control& control) const override;
    forms::NativeHandle iconOf(const forms::Form& form) const override;
    int frameHeight(const forms::Form& form) const override;
    double twipsPerPixel() const override;
    void doEvents() override;
    void showModal(forms::Form& form) override;
    void popupMenu(forms::Form& owner, const forms::MenuItem& menu, const forms::MenuPlace& place) override;
    void messageBox(const forms::Form* owner, const std::string& text, const std::string& caption,
                    forms::MessageIcon icon) override;
    void setFocus(forms::Control& control) override;

private:
    struct FormWindow;

    // A window of ours: a form's own window (no control) or a windowed control's.
    struct Window {
        Win32Backend* backend;
        FormWindow* owner;
        forms::Control* control;
        HWND hwnd = nullptr;
        ATOM nameAtom = 0;
        // Child windows of the system's classes: the class's own window procedure.
        WNDPROC systemProc = nullptr;
        // Picture boxes: a left button press in progress, and what it went down on (nullptr for
        // the picture itself). A click needs the release over the same thing.
        bool pressing = false;
        forms::Control* pressedHit = nullptr;
        // Progress bars: the colours the program asked for, shown in the scheme.
        BarColors barColors{};
        // What screen readers are answered, made on their first request.
        std::unique_ptr<AccessibleWindow> accessible{};
    };

    // A loaded form: its window, the windows of its controls and what its windowless controls
    // last showed.
    struct FormWindow {
        forms::Form* form = nullptr;
        Window self{};
        UINT dpi = USER_DEFAULT_SCREEN_DPI;
        std::vector<std::unique_ptr<Window>> children;  // in creation order
        std::unordered_map<const forms::Control*, Window*> windowed;
        // Windowless controls: the pixel rectangle each one occupies in its container as last
        // painted, so that a change repaints exactly what it covered and what it will cover.
        std::unordered_map<const forms::Control*, RECT> painted;
        HWND toolTips = nullptr;
        // The windowless control the focus rectangle was last drawn round, and the control that
        // had the focus when the window was last deactivated (it gets it back, as in a dialog).
        const forms::Control* focusCueAround = nullptr;
        forms::Control* focusToRestore = nullptr;
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK childProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT formMessage(FormWindow& owner, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT pictureMessage(Window& picture, UINT message, WPARAM wParam, LPARAM lParam);
    // The notifications and colour requests a container gets from its child windows.
    bool childNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    FormWindow* recordOf(const forms::Form& form) const;
    Window* windowOf(HWND hwnd) const;
    HWND containerWindow(const FormWindow& owner, const forms::Control& control) const;
    // The control whose window has the keyboard focus, as screen readers are told.
    // The model of a form changed: its accessible objects tell the screen readers what did.
    void tellReaders(const FormWindow& owner);

    void destroyWindows(const FormWindow& owner);
    void placeFormWindow(FormWindow& owner);
    void applyDpi(FormWindow& owner, UINT dpi);
    void setIcons(const FormWindow& owner);
    void createChild(FormWindow& owner, forms::Control& control);
    void placeChild(const Window& child);
    HFONT checkBoxFont(const Window& child);
    void applyFont(const Window& child);
    void applyText(const Window& child);
    void applyValue(const Window& child);
    void applyEnabled(const FormWindow& owner);
    void addToolTips(FormWindow& owner);
    void placeToolTip(const FormWindow& owner, const forms::Control& control);
    void fitToText(FormWindow& owner, forms::Control& label);
    void repaintWindowless(FormWindow& owner, const forms::Control& control);
    bool makeFormWindow(FormWindow& owner);
    // A colour scheme change (high contrast, the system's colours, the theme): every window again.
    void followColorScheme(HWND window, UINT message);

    // The keyboard (Keyboard.cpp).
    // The loops' pre-translate step: a navigation key for one of our windows goes to its form,
    // as a dialog's keys go to the dialog manager; true when the form used it.
    bool navigationKey(const MSG& message) noexcept;
    // The focus cue starts hidden unless the user has asked the system to show it always.
    void startFocusCue(FormWindow& owner);
    // The form's focus or focus cue changed: the window's own state follows (so the check boxes
    // draw theirs), and the rectangle round a windowless control is repainted.
    void focusChanged(FormWindow& owner);
    // The windowless control that the focus rectangle goes round; nullptr for none.
    const forms::Control* focusCueTarget(const FormWindow& owner) const;
    // One of the form's windows loses the focus to another window.
    void focusLeaving(const FormWindow& owner, HWND gaining);
    // WM_ACTIVATE, WM_SETFOCUS and WM_UPDATEUISTATE of a form's own window; false when the
    // default handling is to run.
    bool formFocusMessage(FormWindow& owner, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The point of the screen where a pop-up menu opens.
    POINT popupPoint(const forms::Form& owner, const forms::MenuPlace& place) const;

    HINSTANCE instance_;
    UINT taskbarCreatedMessage_;
    UINT comeForwardMessage_;
    UINT exitRequestMessage_;
    // The pointer over label buttons and links, drawn by the program.
    HCURSOR handCursor_;
    mutable GdiCache cache_;
    ColorScheme colors_;
    std::unordered_map<const forms::Form*, std::unique_ptr<FormWindow>> forms_;
    std::unordered_map<HWND, Window*> windows_;
    // How many of our system controls' own window procedures are running (nested).
    int controlProcedures_ = 0;
};

}  // namespace win32

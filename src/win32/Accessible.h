// What a window answers to screen readers (WM_GETOBJECT): an IAccessible over the accessible model
// (forms/Accessibility.h). A picture box presents its children as simple elements; the threshold's
// text box and up-down present themselves, named by the setting they stand in.
// The window's record owns this; the COM object may outlive it in a reader's hands and then answers
// that it is disconnected.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "forms/Accessibility.h"

namespace win32 {

class AccessibleObject;

class AccessibleWindow {
public:
    // A container (its children) or a control on its own; dpi is the window's, kept up to date by
    // its record.
    AccessibleWindow(HWND hwnd, const forms::Control& control, const UINT& dpi);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // Whether a control's window answers for itself (the others are the system's, or read through
    // their container).
    static bool answersFor(const forms::Control& control);

    // WM_GETOBJECT: the object for OBJID_CLIENT, 0 for anything else (the system's default).
    LRESULT answer(WPARAM wParam, LPARAM lParam);
    // The model may have changed: once the handler that changed it is done, the readers are told
    // what did (one posted message however many changes).
    void modelChanged();
    // The messages this posts to its window; true when it was one of them.
    bool handle(UINT message, WPARAM wParam);

    // What the object reads.
    bool isContainer() const { return control_.kind() == forms::Control::Kind::PictureBox; }
    std::vector<forms::AccessibleElement> children() const;
    std::optional<forms::AccessibleElement> self() const;
    const forms::Control& control() const { return control_; }
    HWND hwnd() const { return hwnd_; }
    RECT screenRect(const forms::AccessibleElement& element) const;
    std::optional<std::size_t> childAt(POINT screen) const;
    // The default action runs from the window procedure, never inside a reader's call (a modal
    // About window must not start inside another process's COM call).
    void postDefaultAction(std::size_t index) const;

private:
    std::vector<forms::AccessibleElement> reading() const;

    HWND hwnd_;
    const forms::Control& control_;
    const UINT& dpi_;
    AccessibleObject* object_;
    std::vector<forms::AccessibleElement> lastReading_;
    bool refreshPosted_ = false;
};

// The accessible side of a window's messages: WM_GETOBJECT, which makes the window's object on the
// first request when the control answers for itself, and the messages the object posts. True when
// the message was one of them, with its result.
bool accessibleMessage(std::unique_ptr<AccessibleWindow>& accessible, HWND hwnd, const forms::Control& control,
                       const UINT& dpi, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace win32

// The keyboard side of a form: its tab stops, the focus it follows, the focus cue and the keys
// that windows answer the way dialogs do.
#include <algorithm>

#include "forms/Forms.h"

namespace forms {

bool Control::canTakeFocus() const {
    return tabStop && isEffectivelyVisible() && isEffectivelyEnabled();
}

std::vector<Control*> Form::tabStops() const {
    std::vector<Control*> stops;
    for (const auto& control : controls_) {
        if (control->tabStop) {
            stops.push_back(control.get());
        }
    }
    return stops;
}

Control* Form::nextTabStop(const Control* from, bool backward) const {
    const std::vector<Control*> stops = tabStops();
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    // From a control that is no stop (the form itself, the content area) Tab starts at the first
    // stop and Shift+Tab at the last.
    const auto found = std::find(stops.begin(), stops.end(), from);
    std::ptrdiff_t at = found != stops.end() ? found - stops.begin() : (backward ? count : -1);
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        at = ((backward ? at - 1 : at + 1) % count + count) % count;
        if (stops[static_cast<std::size_t>(at)]->canTakeFocus()) {
            return stops[static_cast<std::size_t>(at)];
        }
    }
    return nullptr;
}

void Form::focusArrived(Control* control) {
    if (control == focus_) {
        return;
    }
    focus_ = control;
    if (loaded_) {
        backend_.formChanged(*this, FormProperty::Focus);
    }
    if (control != nullptr) {
        control->raiseGotFocus();
    }
}

void Form::setFocusCueShown(bool shown) {
    if (shown == focusCueShown_) {
        return;
    }
    focusCueShown_ = shown;
    if (loaded_) {
        backend_.formChanged(*this, FormProperty::Focus);
    }
}

void Form::pressFromKeyboard(Control& button) {
    pressedFromKeyboard_ = true;
    button.raiseClick();  // raiseEvent contains any failure, so the flag always goes back
    pressedFromKeyboard_ = false;
}

bool Form::keyPressed(NavigationKey key, bool shift) {
    switch (key) {
    case NavigationKey::Tab:
        setFocusCueShown(true);
        if (Control* next = nextTabStop(focus_, shift)) {
            backend_.setFocus(*next);
        }
        return true;
    case NavigationKey::Arrow:
        setFocusCueShown(true);
        return false;
    case NavigationKey::Enter:
    case NavigationKey::Space:
        // Windowed controls answer these keys themselves (Space toggles a check box).
        if (focus_ == nullptr || focus_->isWindowed() || !focus_->tabStop) {
            return false;
        }
        pressFromKeyboard(*focus_);
        return true;
    case NavigationKey::Escape:
        if (cancelButton == nullptr) {
            return false;
        }
        pressFromKeyboard(*cancelButton);
        return true;
    }
    return false;
}

}  // namespace forms

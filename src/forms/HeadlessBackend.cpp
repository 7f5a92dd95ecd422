#include "forms/HeadlessBackend.h"

namespace forms {

bool HeadlessBackend::formLoaded(Form& form) { return !refusedForms.contains(form.name()); }
void HeadlessBackend::formUnloaded(Form& form) { handles_.erase(&form); }
void HeadlessBackend::formChanged(Form&, FormProperty) {}
void HeadlessBackend::controlChanged(Control& control, Property property) {
    changes.emplace_back(control.name(), property);
}
bool HeadlessBackend::timerChanged(Timer& timer) {
    return !timer.enabled() || !refusedTimers.contains(timer.name());
}

NativeHandle HeadlessBackend::handleFor(const void* object) const {
    auto [it, inserted] = handles_.try_emplace(object, 0);
    if (inserted) {
        it->second = 0x1000 + 0x10 * handles_.size();
    }
    return it->second;
}

NativeHandle HeadlessBackend::handleOf(const Form& form) const {
    return form.loaded() ? handleFor(&form) : 0;
}

NativeHandle HeadlessBackend::handleOf(const Control& control) const {
    return control.isWindowed() && control.form().loaded() ? handleFor(&control) : 0;
}

NativeHandle HeadlessBackend::iconOf(const Form& form) const {
    return form.loaded() ? handleFor(&form) + 1 : 0;
}

int HeadlessBackend::frameHeight(const Form&) const { return frameHeightTwips; }

void HeadlessBackend::doEvents() {
    ++yields;
    if (onYield) {
        onYield(yields);
    }
}

void HeadlessBackend::showModal(Form& form) {
    modals.push_back(form.name());
    form.show();
    if (onModal) {
        onModal(form);
    }
}

void HeadlessBackend::popupMenu(Form&, const MenuItem& menu, const MenuPlace& place) {
    popups.push_back(menu.name);
    popupPlaces.push_back(place);
    if (onPopup) {
        onPopup(menu);
    }
}

void HeadlessBackend::messageBox(const Form* owner, const std::string& text, const std::string& caption,
                                 MessageIcon icon) {
    messages.push_back({owner != nullptr ? owner->name() : "", text, caption, icon});
    if (onMessageBox) {
        onMessageBox();
    }
}

// The focus moves at once, as the window system moves it, and the form hears of it.
void HeadlessBackend::setFocus(Control& control) {
    focused = &control;
    control.form().focusArrived(&control);
}

}  // namespace forms

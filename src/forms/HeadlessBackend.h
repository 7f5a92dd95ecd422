// A backend without a window system, for tests and benchmarks: the caller raises the events itself
// (a click, a tick, a tray message) and reads every property back. Yields, modal windows, pop-up
// menus and message boxes are recorded and can be scripted.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/Forms.h"

namespace forms {

class HeadlessBackend : public Backend {
public:
    bool formLoaded(Form& form) override;
    void formUnloaded(Form& form) override;
    void formChanged(Form& form, FormProperty property) override;
    void controlChanged(Control& control, Property property) override;
    bool timerChanged(Timer& timer) override;
    NativeHandle handleOf(const Form& form) const override;
    NativeHandle handleOf(const Control& control) const override;
    NativeHandle iconOf(const Form& form) const override;
    int frameHeight(const Form& form) const override;
    double twipsPerPixel() const override { return 1440.0 / dpi; }
    void doEvents() override;
    void showModal(Form& form) override;
    void popupMenu(Form& owner, const MenuItem& menu, const MenuPlace& place) override;
    void messageBox(const Form* owner, const std::string& text, const std::string& caption,
                    MessageIcon icon) override;
    void setFocus(Control& control) override;

    // Scripts: run during the n-th yield (counting from 1), while a modal form is up, while a
    // pop-up menu is open (given the menu; it may call an item's Click), during a message box.
    std::function<void(int yieldNumber)> onYield;
    std::function<void(Form&)> onModal;
    std::function<void(const MenuItem&)> onPopup;
    std::function<void()> onMessageBox;

    int frameHeightTwips = 0;
    // The display's dots per inch: 96 at 100 % scaling.
    int dpi = 96;
    // What the window system refuses, as it may when it runs out of resources: the windows of
    // forms by name, and the starting of timers by name.
    std::set<std::string> refusedForms;
    std::set<std::string> refusedTimers;

    struct Message {
        std::string owner;  // the owning form's name; empty for none
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    int yields = 0;
    std::vector<Message> messages;
    std::vector<std::string> popups;  // names of the menus popped up
    std::vector<MenuPlace> popupPlaces;  // where each of them opened
    std::vector<std::string> modals;  // names of the forms shown modal
    // The control the focus was last moved to.
    const Control* focused = nullptr;
    // Every change of a control, in order.
    std::vector<std::pair<std::string, Property>> changes;

private:
    NativeHandle handleFor(const void* object) const;
    mutable std::map<const void*, NativeHandle> handles_;
};

}  // namespace forms

#include "forms/Accessibility.h"

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

using Kind = Control::Kind;

// A control of a container's tree with its rectangle relative to that container.
struct Placed {
    const Control* control;
    Rect location;
};

void collect(const Control& container, Point origin, std::vector<Placed>& out) {
    for (const Control* child : container.children()) {
        const Rect& rect = child->rect();
        const Rect location{origin.x + rect.left, origin.y + rect.top, rect.width, rect.height};
        out.push_back({child, location});
        if (child->kind() == Kind::PictureBox) {
            collect(*child, {location.left, location.top}, out);
        }
    }
}

bool isLabel(const Placed& placed) { return placed.control->kind() == Kind::Label; }

// The label just above a bar, over its width and no further away than the bar is high: its caption.
const Control* captionOf(const std::vector<Placed>& placed, const Placed& bar) {
    const Placed* best = nullptr;
    int bestGap = 0;
    for (const Placed& label : placed) {
        if (!isLabel(label)) {
            continue;
        }
        const int gap = bar.location.top - (label.location.top + label.location.height);
        const bool overWidth = label.location.left < bar.location.left + bar.location.width &&
                               bar.location.left < label.location.left + label.location.width;
        if (overWidth && gap >= 0 && gap <= bar.location.height && (best == nullptr || gap < bestGap)) {
            best = &label;
            bestGap = gap;
        }
    }
    return best != nullptr ? best->control : nullptr;
}

std::ptrdiff_t indexOf(const std::vector<Placed>& placed, const Control* control) {
    const auto found = std::find_if(placed.begin(), placed.end(), [&](const Placed& p) { return p.control == control; });
    return found == placed.end() ? -1 : found - placed.begin();
}

// An up-down stands in a sentence: "<the text before its box> <box> <the labels after the box>",
// as "Automatically Free If RAM Memory goes below [50] %". Its name is that sentence without the box.
struct UpDownSetting {
    std::string name;
    std::vector<const Control*> absorbed;  // the box and the labels after it
};

UpDownSetting settingOf(const std::vector<Placed>& placed, const UpDown& upDown) {
    UpDownSetting setting;
    const std::ptrdiff_t box = indexOf(placed, upDown.buddy);
    const std::ptrdiff_t self = indexOf(placed, &upDown);
    if (box < 0 || self < 0) {
        return setting;
    }
    setting.absorbed.push_back(upDown.buddy);
    if (box > 0) {
        setting.name = placed[static_cast<std::size_t>(box - 1)].control->text();
    }
    for (std::ptrdiff_t i = box + 1; i < self; ++i) {
        const Control* between = placed[static_cast<std::size_t>(i)].control;
        if (between->kind() == Kind::Label) {
            setting.absorbed.push_back(between);
            setting.name += (setting.name.empty() ? "" : " ") + between->text();
        }
    }
    return setting;
}

std::string percentOf(const ProgressBar& bar) {
    return std::to_string(std::lround(bar.Value() / bar.Max() * 100.0F)) + "%";
}

// Focus follows the keyboard's rules: the tab stops take it, and the form knows which one has it.
void setStates(AccessibleElement& element) {
    const Control& control = *element.control;
    element.focusable = control.tabStop;
    element.focused = control.form().keyboardFocus() == &control;
    element.unavailable = !control.isEffectivelyEnabled();
    element.invisible = !control.isEffectivelyVisible();
}

AccessibleElement describe(const std::vector<Placed>& placed, const Placed& item) {
    const Control& control = *item.control;
    AccessibleElement element;
    element.control = &control;
    element.name = control.text();
    element.location = item.location;
    switch (control.kind()) {
    case Kind::CheckBox: {
        const int value = static_cast<const CheckBox&>(control).value();
        element.role = AccessibleRole::CheckBox;
        element.checked = value == 1;
        element.indeterminate = value == 2;
        element.defaultAction = value == 1 ? "Uncheck" : "Check";
        break;
    }
    case Kind::ProgressBar: {
        const Control* caption = captionOf(placed, item);
        element.role = AccessibleRole::ProgressBar;
        element.name = caption != nullptr ? caption->text() : "";
        element.value = percentOf(static_cast<const ProgressBar&>(control));
        break;
    }
    case Kind::UpDown: {
        const auto& upDown = static_cast<const UpDown&>(control);
        element.role = AccessibleRole::SpinButton;
        element.name = settingOf(placed, upDown).name;
        element.value = upDown.buddy != nullptr ? upDown.buddy->text() : std::to_string(upDown.value());
        break;
    }
    case Kind::Label:
        if (isCommandLabel(control)) {
            element.role = AccessibleRole::PushButton;
            element.defaultAction = "Press";
        }
        break;
    case Kind::TextBox:  // a figure shown in a box (one that never keeps the focus)
    case Kind::PictureBox:
    case Kind::Shape:
    case Kind::Image:
        break;
    }
    setStates(element);
    return element;
}

}  // namespace

bool isCommandLabel(const Control& control) {
    return control.kind() == Kind::Label && control.mousePointer == Cursor::Hand && static_cast<bool>(control.Click);
}

std::vector<AccessibleElement> accessibleChildren(const Control& container) {
    std::vector<Placed> placed;
    collect(container, {0, 0}, placed);

    std::vector<const Control*> leftOut;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Control& control = *placed[i].control;
        if (isShadow(control, control.container()->children())) {
            leftOut.push_back(&control);
        } else if (control.kind() == Kind::ProgressBar) {
            leftOut.push_back(captionOf(placed, placed[i]));
        } else if (control.kind() == Kind::UpDown) {
            const UpDownSetting setting = settingOf(placed, static_cast<const UpDown&>(control));
            leftOut.insert(leftOut.end(), setting.absorbed.begin(), setting.absorbed.end());
        }
    }

    std::vector<AccessibleElement> children;
    for (const Placed& item : placed) {
        const Kind kind = item.control->kind();
        const bool decoration = kind == Kind::Shape || kind == Kind::Image || kind == Kind::PictureBox;
        if (!decoration && std::find(leftOut.begin(), leftOut.end(), item.control) == leftOut.end()) {
            children.push_back(describe(placed, item));
        }
    }
    return children;
}

std::optional<AccessibleElement> accessibleElementOf(const Control& control) {
    const Control* top = &control;
    while (top->container() != nullptr) {
        top = top->container();
    }
    for (const AccessibleElement& child : accessibleChildren(*top)) {
        if (child.control == &control) {
            return child;
        }
        if (child.role == AccessibleRole::SpinButton && static_cast<const UpDown*>(child.control)->buddy == &control) {
            // The box shows the setting's number: the same name, as editable text, where the box is.
            std::vector<Placed> placed;
            collect(*top, {0, 0}, placed);
            AccessibleElement box = child;
            box.control = &control;
            box.role = AccessibleRole::EditableText;
            box.location = placed[static_cast<std::size_t>(indexOf(placed, &control))].location;
            setStates(box);
            return box;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> accessibleChildAt(const std::vector<AccessibleElement>& children, Point point) {
    for (std::size_t i = children.size(); i-- > 0;) {
        if (!children[i].invisible && children[i].location.contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

Rect pixelLocation(const Rect& twips, int dpi) {
    // Half a pixel away from zero, as MulDiv rounds.
    const auto edge = [dpi](int value) {
        const long long scaled = static_cast<long long>(value) * dpi;
        return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
    };
    const int left = edge(twips.left);
    const int top = edge(twips.top);
    return {left, top, edge(twips.left + twips.width) - left, edge(twips.top + twips.height) - top};
}

void doDefaultAction(const AccessibleElement& element) {
    if (element.unavailable || element.control == nullptr) {
        return;
    }
    // The model is the program's own: the element only reads it, so the action takes it back.
    auto& control = const_cast<Control&>(*element.control);  // NOLINT(cppcoreguidelines-pro-type-const-cast)
    if (element.role == AccessibleRole::PushButton) {
        control.raiseClick();
    } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
        box->userClick();
    }
}

std::vector<AccessibleChange> accessibleChanges(const std::vector<AccessibleElement>& before,
                                                const std::vector<AccessibleElement>& after) {
    const bool sameControls = std::equal(before.begin(), before.end(), after.begin(), after.end(),
                                         [](const auto& a, const auto& b) { return a.control == b.control; });
    if (!sameControls) {
        return {{AccessibleChange::Kind::Structure, 0}};
    }
    std::vector<AccessibleChange> changes;
    for (std::size_t i = 0; i < after.size(); ++i) {
        const AccessibleElement& was = before[i];
        const AccessibleElement& now = after[i];
        if (was.name != now.name) {
            changes.push_back({AccessibleChange::Kind::Name, i});
        }
        if (was.value != now.value) {
            changes.push_back({AccessibleChange::Kind::Value, i});
        }
        if (was.unavailable != now.unavailable || was.invisible != now.invisible || was.checked != now.checked ||
            was.indeterminate != now.indeterminate || was.focusable != now.focusable) {
            changes.push_back({AccessibleChange::Kind::State, i});
        }
        if (now.focused && !was.focused) {
            changes.push_back({AccessibleChange::Kind::Focus, i});
        }
    }
    return changes;
}

}  // namespace forms

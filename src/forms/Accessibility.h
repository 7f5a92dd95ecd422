// What a screen reader reads in a window: for a container control, its accessible children in
// reading order, each with a role, a name, a value, a location and states; and which of them changed
// between two readings, so that only real changes are announced.
// The windowless labels are painted by their container, so without this model a reader finds nothing
// in it. The rules are portable; the Win32 side only presents them (win32/Accessible.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/Forms.h"

namespace forms {

enum class AccessibleRole { StaticText, PushButton, CheckBox, ProgressBar, SpinButton, EditableText };

struct AccessibleElement {
    const Control* control = nullptr;
    AccessibleRole role = AccessibleRole::StaticText;
    std::string name;
    // Bars: their share of the maximum as "57%"; the threshold: its number. Empty for the others.
    std::string value;
    // Twips relative to the container whose children these are.
    Rect location;
    bool focusable = false;
    bool focused = false;
    // Disabled, itself or through a container (a run freezes the main window's picture box).
    bool unavailable = false;
    bool invisible = false;
    bool checked = false;        // check boxes: value 1
    bool indeterminate = false;  // check boxes: value 2
    // "Press" for buttons, "Check" or "Uncheck" for check boxes; empty when there is none.
    std::string defaultAction;
    bool operator==(const AccessibleElement&) const = default;
};

// A label that runs a command when clicked and shows the hand pointer over it: the label buttons
// and the links. Readers present it as a push button.
bool isCommandLabel(const Control& control);

// The children of a container in reading order (the order of the design, nested picture boxes read
// in place). Left out: decoration (shapes, images), a label's shadow copy (`isShadow`: the title
// is read once), the label that captions a bar (it is the bar's name) and an up-down's text box and the label between them (the up-down stands for
// the whole setting).
std::vector<AccessibleElement> accessibleChildren(const Control& container);

// The element for one control, as it is presented in its container's children, or on its own for
// a real window (the threshold's text box is presented as editable text named like its up-down).
std::optional<AccessibleElement> accessibleElementOf(const Control& control);

// The child whose location holds a point (twips in the container), the topmost one when they
// overlap; nothing when none does.
std::optional<std::size_t> accessibleChildAt(const std::vector<AccessibleElement>& children, Point point);

// A location in pixels at a DPI, each edge rounded to the nearest pixel as the renderer places the
// windowless controls, so that a reader's highlight lies on the text drawn.
Rect pixelLocation(const Rect& twips, int dpi);

// Runs an element's default action as the user's click would: a button's command, a check box's
// toggle. Nothing for an element without one, or while it is unavailable.
void doDefaultAction(const AccessibleElement& element);

struct AccessibleChange {
    enum class Kind { Name, Value, State, Focus, Structure };
    Kind kind;
    std::size_t index;  // the child; 0 for Structure
    bool operator==(const AccessibleChange&) const = default;
};

// What a reader must be told between two readings of the same container: each changed name, value
// and state, the child that took the focus, or, when the children are no longer the same controls,
// one change of structure.
std::vector<AccessibleChange> accessibleChanges(const std::vector<AccessibleElement>& before,
                                                const std::vector<AccessibleElement>& after);

}  // namespace forms

// The form toolkit: a retained model of the windows and controls the program uses.
// A control is plain data plus event slots. The toolkit does not draw: a Backend turns the model
// into real windows (the Win32 renderer) or keeps it headless (tests), and is told of every change.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace forms {

// Positions and sizes are in twips: 1440 per inch, 15 per pixel at 96 dots per inch.
struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool contains(Point p) const {
        return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height;
    }
    bool overlaps(const Rect& other) const {
        return left < other.left + other.width && other.left < left + width && top < other.top + other.height &&
               other.top < top + height;
    }
    bool operator==(const Rect&) const = default;
};

// A colour as COLORREF 0x00BBGGRR (red in the low byte).
using Color = std::uint32_t;
constexpr Color rgb(int red, int green, int blue) {
    return static_cast<Color>(red | (green << 8) | (blue << 16));
}
// The system's window colour (COLOR_WINDOW), resolved by the backend.
constexpr Color kSystemWindowColor = 0x80000005;

// A window or icon handle of the real window system; 0 when there is none.
using NativeHandle = std::uintptr_t;

struct Font {
    std::string_view name = "MS Sans Serif";  // always a literal
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

enum class Alignment { Left, Right, Center };
enum class Cursor { Default, Hand };
enum class ShapeKind { RoundedRectangle, Circle };

// A band of a picture box's artwork, in the picture's design pixels (the pixels of a display at
// 96 dots per inch): a rectangle filled with a colour that shades from top to bottom.
struct PictureFill {
    Rect rect;
    Color top;
    Color bottom;
};

enum class Property { Text, Font, ForeColor, BackColor, Rect, Enabled, Visible, Value, Range };

// The keys a window answers as a dialog does: Tab and Shift+Tab move the focus, Enter and Space
// press the focused button, Escape the window's cancel button. The arrow keys go to the control
// with the focus (the up-down steps with them), and, like Tab, show the focus cue.
enum class NavigationKey { Tab, Enter, Space, Escape, Arrow };

// Runs an event handler. A failure inside it (an exception: out of memory near the commit limit is
// the real one) ends that handler only; whoever raised the event, and the program, go on.
template <typename Handler, typename... Args>
void raiseEvent(const Handler& handler, Args&&... args) noexcept {
    if (!handler) {
        return;
    }
    try {
        handler(std::forward<Args>(args)...);
    } catch (...) {  // NOLINT(bugprone-empty-catch): contained by design
    }
}

class Form;

class Control {
public:
    enum class Kind { Label, TextBox, CheckBox, PictureBox, Shape, Image, ProgressBar, UpDown };

    Control(Form& form, Control* container, Kind kind, std::string name, Rect rect);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    Form& form() const { return form_; }
    Control* container() const { return container_; }
    const std::vector<Control*>& children() const { return children_; }

    // Real child windows of the window system; the others are painted by their container.
    bool isWindowed() const;
    // Shapes take no mouse events; every other control takes them over its whole rectangle.
    bool takesMouseEvents() const { return kind_ != Kind::Shape; }
    // A tab stop that is visible and enabled, inside visible and enabled containers.
    bool canTakeFocus() const;

    const std::string& text() const { return text_; }
    virtual void setText(const std::string& text);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    void setBold(bool bold);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color color);
    Color backColor() const { return backColor_; }
    void setBackColor(Color color);
    const Rect& rect() const { return rect_; }
    void setRect(const Rect& rect);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // Enabled itself and inside enabled containers: only then does it raise events.
    bool isEffectivelyEnabled() const;
    // Visible itself and inside visible containers: only then is it on the screen.
    bool isEffectivelyVisible() const;
    NativeHandle hWnd() const;

    // Design properties, fixed once the window is built.
    Alignment alignment = Alignment::Left;
    bool autoSize = false;
    bool wordWrap = false;
    bool transparent = false;  // labels: the container's picture shows through
    Cursor mousePointer = Cursor::Default;
    std::string toolTip;
    ShapeKind shape = ShapeKind::RoundedRectangle;  // shapes only
    int borderWidth = 1;                            // shapes only; pixels
    bool border = false;                            // picture boxes and text boxes
    std::vector<PictureFill> picture;               // picture boxes: drawn in order, over the back colour
    // Tab and Shift+Tab stop on it, in the order the controls were made (the window's reading order).
    bool tabStop = false;

    // Events. Mouse handlers receive nothing: no handler of the program uses the pointer's state.
    std::function<void()> Click;
    std::function<void()> MouseMove;
    std::function<void()> Change;
    std::function<void()> GotFocus;

    // Raised by the backend (or a test) for the user's actions; a disabled control raises nothing.
    void raiseClick();
    void raiseMouseMove();
    void raiseGotFocus();

protected:
    // Takes a new text; false when it is the text already shown.
    bool assignText(const std::string& text);
    void changed(Property property);
    void raiseChange();

private:
    Form& form_;
    Control* container_;
    Kind kind_;
    std::string name_;
    std::vector<Control*> children_;
    std::string text_;
    Font font_;
    Color foreColor_ = 0x000000;
    Color backColor_ = 0xFFFFFF;
    Rect rect_;
    bool enabled_ = true;
    bool visible_ = true;
};

// A label drawn behind a later visible label of the same text and font that overlaps it is that
// label's shadow, a decoration (the titles' black copy, the at-sign's white copy): a high-contrast
// scheme leaves it out, and a screen reader reads the text once, from the front copy. `paintOrder`
// holds the controls of the label's container, later ones over earlier ones.
bool isShadow(const Control& label, const std::vector<Control*>& paintOrder);

// A text box raises its change event whenever its text becomes a different text.
class TextBox : public Control {
public:
    TextBox(Form& form, Control* container, std::string name, Rect rect);
    void setText(const std::string& text) override;
    // The texts a user's edit may leave in the box; every text when empty.
    std::function<bool(const std::string&)> acceptsInput;
    // The text a user's edit (typing, pasting, dropping, an input method) leaves in the window.
    // Refused, and the box keeps its text, when the box is disabled or the text breaks its rule;
    // returns whether the box now holds the text.
    bool userEdit(const std::string& text);
};

// A check box's value: 0 unchecked, 1 checked, 2 indeterminate.
class CheckBox : public Control {
public:
    CheckBox(Form& form, Control* container, std::string name, Rect rect);
    int value() const { return value_; }
    // Refuses any value other than 0, 1 and 2 and returns false; raises no event.
    bool setValue(int value);
    // The user's click: checks an unchecked box, unchecks any other, then raises the click event.
    void userClick();

private:
    int value_ = 0;
};

// A progress bar holds single-precision Max and Value; Min stays 0.
class ProgressBar : public Control {
public:
    ProgressBar(Form& form, Control* container, std::string name, Rect rect);
    float Max() const { return max_; }
    float Value() const { return value_; }
    // Refuses a maximum that is not above 0; a Value above the new maximum is lowered to it.
    bool setMax(float max);
    // Refuses a value outside 0 to Max.
    bool setValue(float value);

private:
    float max_ = 100.0F;
    float value_ = 0.0F;
};

// An up-down control bound to a text box: each step writes its value into the box as a whole
// number, then raises its own change event.
class UpDown : public Control {
public:
    UpDown(Form& form, Control* container, std::string name, Rect rect);
    int min = 0;
    int max = 10;
    int increment = 1;
    TextBox* buddy = nullptr;
    int value() const { return value_; }
    // One press of an arrow (+1 up, -1 down): the step starts from the buddy's number when it
    // holds one, as the system's up-down control does, otherwise from its own value brought into
    // min and max, and stays within them.
    void step(int direction);
    // Whether a text is one the up-down writes into its buddy: a value of its range in decimal.
    bool writes(const std::string& text) const;

private:
    int value_ = 0;
};

// A timer that the window system cannot start stays disabled.
class Timer {
public:
    Timer(Form& form, std::string name, int intervalMs, bool enabled);
    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    std::function<void()> Tick;
    // Called by the form when its window is made: an enabled timer starts then.
    void start();
    // One elapse of the interval: raises the event while the timer is enabled.
    void elapse();

private:
    Form& form_;
    std::string name_;
    int interval_;
    bool enabled_;
};

// A menu item; a caption of "-" makes a separator. A hidden top-level menu exists only to be
// popped up.
struct MenuItem {
    std::string name;
    std::string caption;
    std::vector<MenuItem> items;
    std::function<void()> Click;
    bool isSeparator() const { return caption == "-"; }
};

enum class WindowState { Normal, Minimized };
// Focus: the control with the keyboard focus, or whether the focus cue shows, changed.
enum class FormProperty { Visible, WindowState, Position, Enabled, Focus };

// Where a pop-up menu opens. A menu the keyboard opened starts with its first item selected, so
// that a keyboard user sees where the arrow keys begin.
struct MenuPlace {
    enum class Anchor { Pointer, UnderControl, ScreenPoint };
    Anchor anchor = Anchor::Pointer;
    const Control* control = nullptr;  // UnderControl: the menu's top-left at its bottom-left corner
    Point screenPixels;                // ScreenPoint
    bool fromKeyboard = false;

    static MenuPlace atPointer() { return {}; }
    static MenuPlace underControl(const Control& control) { return {Anchor::UnderControl, &control, {}, true}; }
    static MenuPlace atScreenPoint(Point pixels) { return {Anchor::ScreenPoint, nullptr, pixels, true}; }
};

// A notification of the tray icon, as the shell's protocol version 4 gives it: the event (a mouse
// message, a selection or a context-menu request), the icon's id, and the point of the screen (in
// pixels) that the event happened at: the pointer for the mouse, the icon for the keyboard.
struct TrayEvent {
    std::uint32_t message = 0;
    std::uint32_t iconId = 0;
    Point at;
};

class Backend;

struct FormStyle {
    bool minButton = false;
    bool showInTaskbar = true;
    bool titleBar = true;
};

class Form {
public:
    Form(Backend& backend, std::string name, std::string caption, int clientWidth, int clientHeight);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Backend& backend() const { return backend_; }
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    FormStyle style;
    Color backColor = 0xFFFFFF;

    // Outer position in twips on the screen.
    int left() const { return left_; }
    int top() const { return top_; }
    void move(int left, int top);
    // The outer height in twips: the client height plus the frame the backend gives the window.
    int outerHeight() const;

    template <typename T, typename... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }
    Timer& addTimer(std::string name, int intervalMs, bool enabled);
    MenuItem& addMenu(MenuItem menu);

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }
    const std::vector<MenuItem>& menus() const { return menus_; }
    Control* find(const std::string& name) const;

    // Lifecycle. load() creates the window (hidden) and raises Load; show() loads first when needed.
    // A form whose window the window system cannot make stays unloaded, and raises nothing.
    bool loaded() const { return loaded_; }
    void load();
    void show();
    void hide();
    bool visible() const { return visible_; }
    // A close request (close button, Alt+F4, WM_CLOSE): raises QueryUnload; unloads unless cancelled.
    void requestClose();
    // A request of the window system to minimise the window (its button, its system menu, the
    // taskbar, another program). Only a form with a minimise button may be minimised so; the
    // answer says whether this one may.
    bool requestMinimize() const { return style.minButton; }
    void unload();
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState state);
    NativeHandle hWnd() const;
    NativeHandle icon() const;

    // Topmost control under a point of a container (in the container's twips) that takes mouse
    // events; later controls lie over earlier ones. nullptr: the container itself is hit.
    Control* hitTest(const Control& container, Point point) const;
    // The pointer moved or clicked at a point of a container: the hit control raises the event.
    void mouseMoveAt(Control& container, Point point);
    void clickAt(Control& container, Point point);

    std::function<void()> Load;
    std::function<void(bool& cancel)> QueryUnload;
    // The main window's own mouse-move messages: the tray icon's notifications.
    std::function<void(const TrayEvent& event)> TrayMouseMove;
    // The shell's taskbar was created anew (Explorer restarted): icons must be added again.
    std::function<void()> TaskbarCreated;
    // Another start of the program asks this window to come forward.
    std::function<void()> ComeForward;
    // Another program (the installer) asks the program to end.
    std::function<void()> ExitRequested;
    // Raised by the backend for the messages above.
    void raiseTrayMouseMove(const TrayEvent& event) { raiseEvent(TrayMouseMove, event); }
    void raiseTaskbarCreated() { raiseEvent(TaskbarCreated); }
    void raiseComeForward() { raiseEvent(ComeForward); }
    void raiseExitRequested() { raiseEvent(ExitRequested); }

    // The keyboard. The focus is the window system's; the form follows it (focusArrived), and
    // windowless tab stops take it through the backend like the windowed ones.
    // The control with the keyboard focus; nullptr when the focus is on none of the form's controls.
    const Control* keyboardFocus() const { return focus_; }
    Control* keyboardFocus() { return focus_; }
    // The form's tab stops, in tab order (whether or not they can take the focus now).
    std::vector<Control*> tabStops() const;
    // The stop Tab (or Shift+Tab, backward) moves to from a control (nullptr: from none), wrapping
    // round; only stops that can take the focus count. nullptr when there is none.
    Control* nextTabStop(const Control* from, bool backward) const;
    // The window system gave the focus to a control of the form, or (nullptr) took it from all of
    // them. A control that gets it raises GotFocus.
    void focusArrived(Control* control);
    // The focus cue (a dotted rectangle round the focused button) shows only once the keyboard has
    // been used in the window, as on the window system's own buttons, or when the system says so.
    bool focusCueShown() const { return focusCueShown_; }
    void setFocusCueShown(bool shown);
    // A navigation key pressed in one of the form's windows; true when the form used it, and the
    // window with the focus is not to see it.
    bool keyPressed(NavigationKey key, bool shift);
    // True while a button's command runs because Enter, Space or Escape pressed it.
    bool pressedFromKeyboard() const { return pressedFromKeyboard_; }
    // The button that Escape presses; none when nullptr.
    Control* cancelButton = nullptr;

private:
    Backend& backend_;
    std::string name_;
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    int left_ = 0;
    int top_ = 0;
    bool loaded_ = false;
    bool visible_ = false;
    WindowState windowState_ = WindowState::Normal;
    Control* focus_ = nullptr;
    bool focusCueShown_ = false;
    bool pressedFromKeyboard_ = false;
    void pressFromKeyboard(Control& button);
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Timer>> timers_;
    std::vector<MenuItem> menus_;
};

enum class MessageIcon { Information };

// Turns the model into something real. Every change of the model is reported to it.
class Backend {
public:
    virtual ~Backend() = default;
    // Makes the form's window; false when the window system cannot.
    virtual bool formLoaded(Form& form) = 0;
    virtual void formUnloaded(Form& form) = 0;
    virtual void formChanged(Form& form, FormProperty property) = 0;
    virtual void controlChanged(Control& control, Property property) = 0;
    // Starts or stops a timer of a loaded form; false when the window system cannot start it.
    virtual bool timerChanged(Timer& timer) = 0;
    virtual NativeHandle handleOf(const Form& form) const = 0;
    virtual NativeHandle handleOf(const Control& control) const = 0;
    virtual NativeHandle iconOf(const Form& form) const = 0;
    // The frame's height in twips that the window system adds to a form's client height.
    virtual int frameHeight(const Form& form) const = 0;
    // Twips per pixel on the display: 15 at 96 dots per inch.
    virtual double twipsPerPixel() const = 0;
    // Lets the message loop dispatch every pending message, then returns.
    virtual void doEvents() = 0;
    // Shows a form modal; returns when it is hidden or unloaded.
    virtual void showModal(Form& form) = 0;
    // Pops up a menu; returns when it closes, after the chosen item's handler ran.
    virtual void popupMenu(Form& owner, const MenuItem& menu, const MenuPlace& place) = 0;
    // Shows a message box, modal to the program: the owner (nullptr for none) takes no input until
    // the box is closed.
    virtual void messageBox(const Form* owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) = 0;
    // Moves the keyboard focus to a control: a windowed one takes it itself, a windowless one
    // through its container's window. The form is told (focusArrived).
    virtual void setFocus(Control& control) = 0;

    // The program is told to end from outside its windows: a WM_QUIT posted to its thread or one
    // of its windows, the end of the session, a restart manager's close. The program ends itself.
    std::function<void()> QuitRequested;
    void raiseQuitRequested() { raiseEvent(QuitRequested); }
};

}  // namespace forms

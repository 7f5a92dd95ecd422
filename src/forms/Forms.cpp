#include "forms/Forms.h"

#include <algorithm>
#include <cmath>
#include <charconv>

namespace forms {

Control::Control(Form& form, Control* container, Kind kind, std::string name, Rect rect)
    : form_(form), container_(container), kind_(kind), name_(std::move(name)), rect_(rect) {
    if (container_ != nullptr) {
        container_->children_.push_back(this);
    }
}

bool Control::isWindowed() const {
    switch (kind_) {
    case Kind::TextBox:
    case Kind::CheckBox:
    case Kind::PictureBox:
    case Kind::ProgressBar:
    case Kind::UpDown:
        return true;
    case Kind::Label:
    case Kind::Shape:
    case Kind::Image:
        return false;
    }
    return false;
}

void Control::setText(const std::string& text) { assignText(text); }

bool Control::assignText(const std::string& text) {
    if (text == text_) {
        return false;
    }
    text_ = text;
    changed(Property::Text);
    return true;
}

void Control::setFont(const Font& font) {
    if (font == font_) {
        return;
    }
    font_ = font;
    changed(Property::Font);
}

void Control::setBold(bool bold) {
    Font font = font_;
    font.bold = bold;
    setFont(font);
}

void Control::setForeColor(Color color) {
    if (color == foreColor_) {
        return;
    }
    foreColor_ = color;
    changed(Property::ForeColor);
}

void Control::setBackColor(Color color) {
    if (color == backColor_) {
        return;
    }
    backColor_ = color;
    changed(Property::BackColor);
}

void Control::setRect(const Rect& rect) {
    rect_ = rect;
    changed(Property::Rect);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    changed(Property::Enabled);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    changed(Property::Visible);
}

bool Control::isEffectivelyEnabled() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->enabled_) {
            return false;
        }
    }
    return true;
}

bool Control::isEffectivelyVisible() const {
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

bool isShadow(const Control& label, const std::vector<Control*>& paintOrder) {
    if (label.kind() != Control::Kind::Label) {
        return false;
    }
    const auto self = std::find(paintOrder.begin(), paintOrder.end(), &label);
    if (self == paintOrder.end()) {
        return false;
    }
    return std::any_of(std::next(self), paintOrder.end(), [&](const Control* front) {
        return front->kind() == Control::Kind::Label && front->visible() && front->text() == label.text() &&
               front->font() == label.font() && front->rect().overlaps(label.rect());
    });
}

NativeHandle Control::hWnd() const { return form_.backend().handleOf(*this); }

void Control::raiseClick() {
    if (isEffectivelyEnabled()) {
        raiseEvent(Click);
    }
}

void Control::raiseMouseMove() {
    if (isEffectivelyEnabled()) {
        raiseEvent(MouseMove);
    }
}

void Control::raiseGotFocus() {
    if (isEffectivelyEnabled()) {
        raiseEvent(GotFocus);
    }
}

void Control::raiseChange() { raiseEvent(Change); }

void Control::changed(Property property) {
    if (form_.loaded()) {
        form_.backend().controlChanged(*this, property);
    }
}

TextBox::TextBox(Form& form, Control* container, std::string name, Rect rect)
    : Control(form, container, Kind::TextBox, std::move(name), rect) {}

void TextBox::setText(const std::string& text) {
    if (assignText(text)) {
        raiseChange();
    }
}

bool TextBox::userEdit(const std::string& text) {
    if (text == this->text()) {
        return true;
    }
    if (!isEffectivelyEnabled() || (acceptsInput && !acceptsInput(text))) {
        return false;
    }
    setText(text);
    return true;
}

CheckBox::CheckBox(Form& form, Control* container, std::string name, Rect rect)
    : Control(form, container, Kind::CheckBox, std::move(name), rect) {}

bool CheckBox::setValue(int value) {
    if (value < 0 || value > 2) {
        return false;
    }
    if (value != value_) {
        value_ = value;
        changed(Property::Value);
    }
    return true;
}

void CheckBox::userClick() {
    if (!isEffectivelyEnabled()) {
        return;
    }
    setValue(value_ == 0 ? 1 : 0);
    raiseClick();
}

ProgressBar::ProgressBar(Form& form, Control* container, std::string name, Rect rect)
    : Control(form, container, Kind::ProgressBar, std::move(name), rect) {}

bool ProgressBar::setMax(float max) {
    if (!(max > 0.0F) || std::isinf(max)) {
        return false;
    }
    max_ = max;
    value_ = std::min(value_, max_);
    changed(Property::Range);
    return true;
}

bool ProgressBar::setValue(float value) {
    if (!(value >= 0.0F && value <= max_)) {
        return false;
    }
    value_ = value;
    changed(Property::Value);
    return true;
}

UpDown::UpDown(Form& form, Control* container, std::string name, Rect rect)
    : Control(form, container, Kind::UpDown, std::move(name), rect) {}

void UpDown::step(int direction) {
    if (!isEffectivelyEnabled()) {
        return;
    }
    int current = std::clamp(value_, min, max);
    if (buddy != nullptr) {
        const std::string& text = buddy->text();
        int fromBuddy = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fromBuddy);
        if (error == std::errc() && end == text.data() + text.size()) {
            current = fromBuddy;
        }
    }
    const int next = std::clamp(current + direction * increment, min, max);
    if (next == current && next == value_) {
        return;
    }
    value_ = next;
    changed(Property::Value);
    if (buddy != nullptr) {
        buddy->setText(std::to_string(value_));
    }
    raiseChange();
}

bool UpDown::writes(const std::string& text) const {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number >= min && number <= max &&
           text == std::to_string(number);
}

Timer::Timer(Form& form, std::string name, int intervalMs, bool enabled)
    : form_(form), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (form_.loaded()) {
        start();
    }
}

void Timer::start() {
    if (!form_.backend().timerChanged(*this)) {
        enabled_ = false;
    }
}

void Timer::elapse() {
    if (enabled_) {
        raiseEvent(Tick);
    }
}

Form::Form(Backend& backend, std::string name, std::string caption, int clientWidth, int clientHeight)
    : backend_(backend),
      name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

Form::~Form() {
    if (loaded_) {
        backend_.formUnloaded(*this);
    }
}

void Form::move(int left, int top) {
    left_ = left;
    top_ = top;
    if (loaded_) {
        backend_.formChanged(*this, FormProperty::Position);
    }
}

int Form::outerHeight() const { return clientHeight_ + backend_.frameHeight(*this); }

Timer& Form::addTimer(std::string name, int intervalMs, bool enabled) {
    timers_.push_back(std::make_unique<Timer>(*this, std::move(name), intervalMs, enabled));
    return *timers_.back();
}

MenuItem& Form::addMenu(MenuItem menu) {
    menus_.push_back(std::move(menu));
    return menus_.back();
}

Control* Form::find(const std::string& name) const {
    for (const auto& control : controls_) {
        if (control->name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

void Form::load() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    if (!backend_.formLoaded(*this)) {
        loaded_ = false;
        return;
    }
    for (const auto& timer : timers_) {
        if (timer->enabled()) {
            timer->start();
        }
    }
    raiseEvent(Load);
}

void Form::show() {
    load();
    if (!loaded_ || visible_) {
        return;
    }
    visible_ = true;
    backend_.formChanged(*this, FormProperty::Visible);
}

void Form::hide() {
    if (!visible_) {
        return;
    }
    visible_ = false;
    if (loaded_) {
        backend_.formChanged(*this, FormProperty::Visible);
    }
}

void Form::requestClose() {
    bool cancel = false;
    if (QueryUnload) {
        try {
            QueryUnload(cancel);
        } catch (...) {
            cancel = true;  // a close handler that fails keeps its window: nothing is lost
        }
    }
    if (!cancel) {
        unload();
    }
}

void Form::unload() {
    if (!loaded_) {
        return;
    }
    visible_ = false;
    loaded_ = false;
    backend_.formUnloaded(*this);
}

void Form::setWindowState(WindowState state) {
    if (state == windowState_) {
        return;
    }
    windowState_ = state;
    if (loaded_) {
        backend_.formChanged(*this, FormProperty::WindowState);
    }
}

NativeHandle Form::hWnd() const { return backend_.handleOf(*this); }
NativeHandle Form::icon() const { return backend_.iconOf(*this); }

Control* Form::hitTest(const Control& container, Point point) const {
    const auto& children = container.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* child = *it;
        if (child->visible() && child->takesMouseEvents() && child->rect().contains(point)) {
            return child;
        }
    }
    return nullptr;
}

void Form::mouseMoveAt(Control& container, Point point) {
    Control* hit = hitTest(container, point);
    (hit != nullptr ? *hit : container).raiseMouseMove();
}

void Form::clickAt(Control& container, Point point) {
    Control* hit = hitTest(container, point);
    (hit != nullptr ? *hit : container).raiseClick();
}

}  // namespace forms

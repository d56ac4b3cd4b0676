#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace ui {

class Form;
class Control;

// The view side of a control (the Qt binder, or nothing in tests): told whenever a property
// changes so it can mirror the new state.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void propertyChanged(Control& control, std::string_view property) = 0;
};

// Anything whose properties a view mirrors: controls and forms.
class PropertyOwner {
public:
    virtual void notify(std::string_view property) = 0;

protected:
    ~PropertyOwner() = default;
};

// A value that tells its control's observer when it changes, and otherwise reads and assigns like
// the plain value: `Command1.Caption = "&Refresh";`, `if (Check1.Value == 1)`.
template <typename T>
class Property {
public:
    Property(PropertyOwner& owner, const char* name, T initial = T{})
        : owner_(owner), name_(name), value_(std::move(initial)) {}
    Property(const Property&) = delete;
    Property& operator=(const Property& other) { return *this = other.get(); }

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    Property& operator=(T value);

    // Changes the value without telling the view: used by the binder when the view is the source.
    void setFromView(T value) { value_ = std::move(value); }

    // Changes the value in place and tells the view under another property name, for a change
    // the view can mirror without taking the whole value again (text added to a long log).
    template <typename Change>
    void edit(Change&& change, const char* property) {
        change(value_);
        owner_.notify(property);
    }

    const char* name() const { return name_; }

private:
    PropertyOwner& owner_;
    const char* name_;
    T value_;
};

// Common state of every control. A control belongs to one form and is found by its name, the name
// the window's design gives it (and the objectName of its widget).
class Control : public PropertyOwner {
public:
    Control(Form& form, std::string name);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& Name() const { return name_; }
    Form& ParentForm() const { return form_; }
    virtual const char* Kind() const = 0;

    Property<bool> Visible{*this, "Visible", true};
    Property<bool> Enabled{*this, "Enabled", true};
    Property<std::string> ToolTipText{*this, "ToolTipText"};
    Property<std::string> Tag{*this, "Tag"};
    // Position and size in twips (15 to a pixel), as the designs give them.
    Property<int> Left{*this, "Left"};
    Property<int> Top{*this, "Top"};
    Property<int> Width{*this, "Width"};
    Property<int> Height{*this, "Height"};

    // Keyboard focus: asks the view to focus the control.
    void SetFocus();
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    void setObserver(ControlObserver* observer) { observer_ = observer; }
    ControlObserver* observer() const { return observer_; }
    void notify(std::string_view property) override {
        if (observer_ != nullptr) {
            observer_->propertyChanged(*this, property);
        }
    }

private:
    Form& form_;
    std::string name_;
    ControlObserver* observer_ = nullptr;
};

template <typename T>
Property<T>& Property<T>::operator=(T value) {
    if (!(value_ == value)) {
        value_ = std::move(value);
        owner_.notify(name_);
    }
    return *this;
}

// Runs an optional event handler.
template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args&&... args) {
    if (handler) {
        handler(std::forward<Args>(args)...);
    }
}

}  // namespace ui

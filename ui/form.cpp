#include "ui/form.h"

#include <algorithm>

#include "platform/services.h"
#include "ui/controls.h"

namespace ui {

Form::Form(std::string name) : name_(std::move(name)) {}

// The controls are members of the derived window and are gone by now; each timer stopped itself
// in its own destructor.
Form::~Form() = default;

void Form::registerControl(Control* control) {
    controls_.push_back(control);
}

Control* Form::FindControl(std::string_view name) const {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [name](const Control* c) { return c->Name() == name; });
    return it == controls_.end() ? nullptr : *it;
}

void Form::notify(std::string_view property) {
    if (view_ != nullptr) {
        view_->formPropertyChanged(*this, property);
    }
}

void Form::EnsureLoaded() {
    if (loaded_ || loading_) {
        return;
    }
    loading_ = true;
    loaded_ = true;
    notify(kLoaded);
    for (Control* control : controls_) {
        if (auto* timer = dynamic_cast<Timer*>(control)) {
            timer->activate();
        }
    }
    Raise(OnLoad);
    loading_ = false;
}

void Form::Show(bool modal) {
    EnsureLoaded();
    if (!loaded_) {
        return;
    }
    // Modal from the moment it shows: a window manager does not reliably take a window that is
    // hidden and shown again to make it modal (it may never map it again).
    const bool runsModal = modal && !modal_;
    modal_ = modal_ || runsModal;
    Visible = true;
    Activate();
    if (runsModal) {
        platform::services().loop().runModal(*this);
        modal_ = false;
    }
}

void Form::ShowInBackground() {
    EnsureLoaded();
    if (!loaded_) {
        return;
    }
    showingInBackground_ = true;
    Visible = true;
    showingInBackground_ = false;
}

void Form::Activate() {
    Raise(OnActivate);
}

void Form::Hide() {
    Visible = false;
}

bool Form::Unload() {
    return unload(1);
}

bool Form::CloseRequested() {
    return unload(0);
}

bool Form::unload(int unloadMode) {
    if (!loaded_) {
        return true;
    }
    int cancel = 0;
    if (OnQueryUnload) {
        OnQueryUnload(cancel, unloadMode);
    }
    if (cancel == 0 && OnUnload) {
        OnUnload(cancel);
    }
    if (cancel != 0) {
        return false;
    }
    for (Control* control : controls_) {
        if (auto* timer = dynamic_cast<Timer*>(control)) {
            timer->deactivate();
        }
    }
    Visible = false;
    loaded_ = false;
    return true;
}

void Form::FlashCaption() {
    if (view_ != nullptr) {
        view_->flash();
    }
}

void Form::focus(Control& control) {
    if (view_ != nullptr) {
        view_->focusControl(control);
    }
}

}  // namespace ui

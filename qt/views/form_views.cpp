#include "qt/views/form_views.h"

#include "qt/binder/binder.h"
#include "qt/views/dressings.h"
#include "qt/views/layouts.h"

namespace qtplatform {

// Stands in for the window until the form first shows: then the window is built from its layout
// and its binding takes over as the form's view.
class FormViews::PendingView : public ui::FormView {
public:
    PendingView(FormViews& views, ui::Form& form) : views_(views), form_(form) {
        form_.setView(this);
    }
    ~PendingView() override {
        if (form_.view() == this) {
            form_.setView(nullptr);
        }
    }

    void formPropertyChanged(ui::Form&, std::string_view property) override {
        if (property == "Visible" && form_.Visible) {
            views_.window(form_);
        }
    }
    void focusControl(ui::Control&) override {}
    void flash() override {}

private:
    FormViews& views_;
    ui::Form& form_;
};

FormViews::FormViews() = default;

FormViews::~FormViews() {
    // Bindings first: they detach from the models while every widget still exists.
    for (auto& [form, window] : windows_) {
        delete window->findChild<FormBinding*>(QString(), Qt::FindDirectChildrenOnly);
    }
    windows_.clear();
    pending_.clear();
}

void FormViews::attach(ui::Form& form) {
    if (layouts().count(form.Name()) == 0) {
        throw BindError("form " + form.Name() + " has no layout (qt/forms/" + form.Name() +
                        ".ui and a line in qt/views/layouts.cpp)");
    }
    if (windows_.count(&form) == 0) {
        pending_[&form] = std::make_unique<PendingView>(*this, form);
    }
}

QWidget& FormViews::window(ui::Form& form) {
    const auto existing = windows_.find(&form);
    if (existing != windows_.end()) {
        return *existing->second;
    }
    const auto layout = layouts().find(form.Name());
    if (layout == layouts().end()) {
        throw BindError("form " + form.Name() + " has no layout");
    }
    std::unique_ptr<QWidget> window = layout->second();
    bind(form, *window);
    if (const auto dressing = dressings().find(form.Name()); dressing != dressings().end()) {
        dressing->second(form, *window);
    }
    return *(windows_[&form] = std::move(window));
}

}  // namespace qtplatform

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form.h"

namespace kestova::testing {

// Stands in for a window's view: remembers what the window asked its view to do.
class RecordingView : public ui::FormView {
public:
    explicit RecordingView(ui::Form& form) : form_(form) { form_.setView(this); }
    ~RecordingView() override { form_.setView(nullptr); }
    RecordingView(const RecordingView&) = delete;
    RecordingView& operator=(const RecordingView&) = delete;

    void formPropertyChanged(ui::Form& form, std::string_view property) override {
        if (property == "Visible") {
            visibilityChanges.push_back(form.Visible);
            if (onVisibilityChange) {
                onVisibilityChange();
            }
        }
    }
    void focusControl(ui::Control&) override {}
    void flash() override {}
    void popupMenu(ui::Control& menu) override { popups.push_back(menu.Name()); }

    std::vector<bool> visibilityChanges;
    std::vector<std::string> popups;
    std::function<void()> onVisibilityChange;

private:
    ui::Form& form_;
};

}  // namespace kestova::testing

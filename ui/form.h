#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/color.h"
#include "ui/control.h"

namespace ui {

class Form;

// The view side of a form (the Qt window, or nothing in tests).
class FormView {
public:
    virtual ~FormView() = default;
    virtual void formPropertyChanged(Form& form, std::string_view property) = 0;
    // Moves keyboard focus to the control.
    virtual void focusControl(Control& control) = 0;
    // Flashes the window's caption once to draw attention.
    virtual void flash() = 0;
    // Opens the menu (a menu title of the form) as a context menu at the pointer.
    virtual void popupMenu(Control& menu) { (void)menu; }
};

// A window. Controls are members constructed with `*this`, so they register themselves here.
// Life cycle: Load (once, on first Show or first access through Loaded()), Activate on each show
// that brings it forward, QueryUnload/Unload (either may cancel) and back to not loaded.
class Form : public PropertyOwner {
public:
    explicit Form(std::string name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::string& Name() const { return name_; }

    // Loads the form if it is not loaded yet (the classic "touching a form loads it").
    void EnsureLoaded();
    bool IsLoaded() const { return loaded_; }
    // Shows the form; modal shows run the event loop until the form hides or unloads.
    void Show(bool modal = false);
    // Shows the form without taking the keyboard from the window in front and without raising
    // it over that window, for a log the operator reads when they look up. A form already shown
    // stays where it is.
    void ShowInBackground();
    // True while ShowInBackground shows the form (for the view).
    bool ShowsInBackground() const { return showingInBackground_; }
    void Hide();
    // Asks the form to unload; returns false when the form cancelled.
    bool Unload();
    bool IsModal() const { return modal_; }
    void Activate();

    Property<std::string> Caption{*this, "Caption"};
    Property<bool> Visible{*this, "Visible", false};
    Property<bool> Enabled{*this, "Enabled", true};
    Property<int> WindowState{*this, "WindowState"};  // 0 normal, 1 minimised, 2 maximised
    Property<bool> TopMost{*this, "TopMost"};
    Property<int> Left{*this, "Left"};  // twips
    Property<int> Top{*this, "Top"};
    Property<int> Width{*this, "Width"};
    Property<int> Height{*this, "Height"};
    Property<Color> BackColor{*this, "BackColor", colors::ButtonFace};

    // Events; handlers are set by the derived window.
    std::function<void()> OnLoad;
    std::function<void()> OnActivate;
    // unloadMode: 0 from the window's close box, 1 from the program.
    std::function<void(int& cancel, int unloadMode)> OnQueryUnload;
    std::function<void(int& cancel)> OnUnload;
    std::function<void()> OnResize;

    // Controls in the order they were declared.
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* FindControl(std::string_view name) const;

    void notify(std::string_view property) override;
    // Told to the view each time the form loads: a window loaded anew opens as a new window.
    static constexpr const char* kLoaded = "Loaded";
    void setView(FormView* view) { view_ = view; }
    FormView* view() const { return view_; }
    void FlashCaption();
    void focus(Control& control);

    // The close box of the window was used (called by the view).
    bool CloseRequested();

private:
    friend class Control;
    void registerControl(Control* control);
    bool unload(int unloadMode);

    std::string name_;
    std::vector<Control*> controls_;
    FormView* view_ = nullptr;
    bool loaded_ = false;
    bool loading_ = false;
    bool modal_ = false;
    bool showingInBackground_ = false;
};

}  // namespace ui

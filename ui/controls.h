#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bar_chart.h"
#include "ui/color.h"
#include "ui/control.h"

// The control kinds the windows are built from. Captions keep their "&" access-key markers.
namespace ui {

class Button : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "Button"; }
    Property<std::string> Caption{*this, "Caption"};
    Property<bool> Default{*this, "Default"};
    Property<bool> Cancel{*this, "Cancel"};
    Property<bool> FontItalic{*this, "FontItalic"};
    std::function<void()> Click;
    void DoClick() {
        if (Enabled && Visible) {
            Raise(Click);
        }
    }
};

class Label : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "Label"; }
    Property<bool> FontBold{*this, "FontBold"};
    Property<double> FontSize{*this, "FontSize", 8.0};
    Property<std::string> Caption{*this, "Caption"};
    Property<Color> ForeColor{*this, "ForeColor", colors::WindowText};
    Property<Color> BackColor{*this, "BackColor", colors::ButtonFace};
    std::function<void()> Click;
};

class TextBox : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "TextBox"; }
    Property<bool> FontBold{*this, "FontBold"};
    Property<double> FontSize{*this, "FontSize", 8.0};
    Property<std::string> Text{*this, "Text"};
    Property<bool> Locked{*this, "Locked"};
    Property<int> MaxLength{*this, "MaxLength"};  // 0: no limit
    Property<std::string> PasswordChar{*this, "PasswordChar"};
    Property<int> BorderStyle{*this, "BorderStyle", 1};  // 0 none, 1 single line
    Property<Color> BackColor{*this, "BackColor", colors::WindowBackground};
    Property<int> SelStart{*this, "SelStart"};
    Property<int> SelLength{*this, "SelLength"};
    // Raised after the text changed (by the program or by typing).
    std::function<void()> Change;
    // Raised for each typed character before it is inserted; setting the code to 0 drops it.
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int& keyCode, int shift)> KeyDown;
    // Raised when a key is let go (not for the repeats of a key held down).
    std::function<void(int keyCode, int shift)> KeyUp;

    // Selects the whole text (counted in characters), as a box does when it gets the focus.
    void SelectAll();

    // A growing log: text added at the end, and old text removed from the front (whole
    // characters), without the view taking the whole text again. The view reads what changed.
    void AppendText(std::string_view text);
    void RemoveTextFront(std::size_t bytes);
    const std::string& AppendedText() const { return appended_; }
    const std::string& RemovedText() const { return removed_; }
    static constexpr const char* kTextAppended = "TextAppended";
    static constexpr const char* kTextFrontRemoved = "TextFrontRemoved";

    void notify(std::string_view property) override {
        Control::notify(property);
        if (property == Text.name() || property == kTextAppended || property == kTextFrontRemoved) {
            Raise(Change);
        }
    }

private:
    std::string appended_;
    std::string removed_;
};

// A KeyPress filter for boxes that take figures: digits, "." and Backspace go through, any other
// key is swallowed.
void FiguresOnly(int& keyAscii);

class CheckBox : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "CheckBox"; }
    Property<std::string> Caption{*this, "Caption"};
    Property<int> Value{*this, "Value"};  // 0 unchecked, 1 checked, 2 greyed
    std::function<void()> Click;
};

class OptionButton : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "OptionButton"; }
    Property<std::string> Caption{*this, "Caption"};
    Property<Color> ForeColor{*this, "ForeColor", colors::WindowText};
    Property<bool> Value{*this, "Value"};
    std::function<void()> Click;
};

// Shared item list of combo boxes and list boxes.
class ListControl : public Control {
public:
    using Control::Control;
    void AddItem(const std::string& item);
    void RemoveItem(int index);
    void Clear();
    // Replaces the whole list as one change: the view takes it in one update, however long it
    // is (adding a long list item by item would have the view rebuild it for every item).
    void SetItems(std::vector<std::string> items);
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int index) const;
    void SetList(int index, const std::string& item);
    const std::vector<std::string>& Items() const { return items_; }

    Property<int> ListIndex{*this, "ListIndex", -1};
    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    std::vector<std::string> items_;
};

class ComboBox : public ListControl {
public:
    using ListControl::ListControl;
    const char* Kind() const override { return "ComboBox"; }
    Property<std::string> Text{*this, "Text"};
    Property<int> Style{*this, "Style"};  // 0 drop-down with edit, 2 drop-down list
    // Raised after the text changed (by the program or by typing).
    std::function<void()> Change;
    // Raised just before the list drops down (by the mouse or the keyboard).
    std::function<void()> DropDown;
    std::function<void(int& keyAscii)> KeyPress;
    // Sets the text and chooses the item that reads it (none when no item does), as a drop-down
    // list shows a text.
    void ChooseText(const std::string& text);
    void notify(std::string_view property) override {
        Control::notify(property);
        if (property == Text.name()) {
            Raise(Change);
        }
    }
};

class ListBox : public ListControl {
public:
    using ListControl::ListControl;
    const char* Kind() const override { return "ListBox"; }
    Property<int> TopIndex{*this, "TopIndex"};
};

class Frame : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "Frame"; }
    Property<std::string> Caption{*this, "Caption"};
    Property<Color> BackColor{*this, "BackColor", colors::ButtonFace};
};

// A picture area; the picture is named by a resource key (empty: no picture).
class PictureBox : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "PictureBox"; }
    Property<std::string> Picture{*this, "Picture"};
    Property<Color> BackColor{*this, "BackColor", colors::ButtonFace};
};

// A page viewer: shows the document at the file path Source (HTML or plain text), with its links.
class Browser : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "Browser"; }
    Property<std::string> Source{*this, "Source"};
};

// A chart the window draws from its data (bars with their texts).
class Chart : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "Chart"; }
    Property<platform::BarChart> Data{*this, "Data"};
};

class ProgressBar : public Control {
public:
    using Control::Control;
    const char* Kind() const override { return "ProgressBar"; }
    Property<int> Min{*this, "Min", 0};
    Property<int> Max{*this, "Max", 100};
    Property<int> Value{*this, "Value", 0};
};

// A window timer: raises Timer every Interval milliseconds while enabled. Setting Interval or
// Enabled restarts the count; an interval of 0 stops it.
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int interval = 0, bool enabled = true);
    ~Timer() override;
    const char* Kind() const override { return "Timer"; }
    void SetInterval(int ms);
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    bool IsEnabled() const { return enabled_; }
    // Starts counting once the owning form is loaded.
    void activate();
    void deactivate();
    std::function<void()> Tick;

private:
    void reschedule();
    int interval_;
    bool enabled_;
    bool active_ = false;
    std::uint64_t timerId_ = 0;
};

// A menu title (`M_File`, or a context menu) or an item of a menu (`m_allocate`, context items
// `p_dealloc`). A title's Click is its opening refresh: it sets up the items just before they
// show.
class MenuItem : public Control {
public:
    // A title, or an item that belongs to no menu.
    MenuItem(Form& form, std::string name, std::string caption = {}, std::string shortcut = {});
    // An item of `menu` (a title or a submenu).
    MenuItem(MenuItem& menu, std::string name, std::string caption = {}, std::string shortcut = {});
    const char* Kind() const override { return "MenuItem"; }
    Property<std::string> Caption{*this, "Caption"};
    Property<bool> Checked{*this, "Checked"};
    // Key sequence in portable text ("Ctrl+A", "F5"); empty for none.
    Property<std::string> Shortcut{*this, "Shortcut"};
    std::function<void()> Click;
    // The menu that holds this item; null for a title.
    MenuItem* Menu() const { return menu_; }
    // A title opened at the pointer and never shown on the bar: its items' shortcuts act even
    // though the title itself is not visible.
    bool ContextMenu = false;
    void DoClick() {
        if (Enabled && Visible) {
            Raise(Click);
        }
    }
    // The item's shortcut key, as a menu accelerator acts: the menus on the way to the item run
    // their opening refresh (outermost first), so the item is up to date for the operator's
    // rights, the connection and the highlighted row; then the item fires when it is enabled and
    // visible. An item of a hidden or disabled menu does nothing. True when the item fired.
    bool PressShortcut();

private:
    MenuItem* menu_ = nullptr;
};

// The item of the form whose shortcut reads `keys` ("Ctrl+A"); null when none has it.
MenuItem* FindShortcut(const Form& form, std::string_view keys);

class StatusBar : public Control {
public:
    StatusBar(Form& form, std::string name, int panelCount = 1);
    const char* Kind() const override { return "StatusBar"; }
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // Panels are numbered from 1.
    const std::string& PanelText(int index) const;
    void SetPanelText(int index, const std::string& text);
    // Width of the panel in twips; 0 lets the panel take the remaining space.
    int PanelWidth(int index) const;
    void SetPanelWidth(int index, int twips);

private:
    struct Panel {
        std::string text;
        int width = 0;
    };
    std::vector<Panel> panels_;
};

class Toolbar : public Control {
public:
    struct ToolButton {
        std::string key;
        std::string caption;
        std::string toolTip;
        std::string image;  // resource key
        bool enabled = true;
        bool visible = true;
        bool dropDown = false;
        std::vector<std::string> menuItems;  // captions of the drop-down, numbered from 1
        std::vector<int> hiddenMenuItems;    // numbers of the drop-down entries not shown
    };
    Toolbar(Form& form, std::string name, std::vector<ToolButton> buttons = {});
    const char* Kind() const override { return "Toolbar"; }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // Buttons are numbered from 1; also found by key.
    const ToolButton& Button(int index) const;
    int IndexOfKey(const std::string& key) const;
    void SetButtonEnabled(int index, bool enabled);
    void SetButtonVisible(int index, bool visible);
    // Shows or hides entry menuIndex (from 1) of button index's drop-down.
    void SetButtonMenuVisible(int index, int menuIndex, bool visible);
    bool ButtonMenuVisible(int index, int menuIndex) const;
    const std::vector<ToolButton>& Buttons() const { return buttons_; }

    std::function<void(int index)> ButtonClick;
    std::function<void(int index, int menuIndex)> ButtonMenuClick;

private:
    std::vector<ToolButton> buttons_;
};

class TabStrip : public Control {
public:
    TabStrip(Form& form, std::string name, std::vector<std::string> captions = {});
    const char* Kind() const override { return "TabStrip"; }
    int TabCount() const { return static_cast<int>(captions_.size()); }
    const std::string& TabCaption(int index) const;  // numbered from 1
    Property<int> SelectedIndex{*this, "SelectedIndex", 1};
    std::function<void()> Click;

private:
    std::vector<std::string> captions_;
};

}  // namespace ui

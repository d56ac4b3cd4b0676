#include "ui/controls.h"

#include <algorithm>
#include <utility>

#include "platform/services.h"
#include "ui/form.h"

namespace ui {

void TextBox::SelectAll() {
    int characters = 0;
    for (const char c : Text.get()) {
        // Every byte but a UTF-8 continuation byte starts a character.
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    SelStart = 0;
    SelLength = characters;
}

void TextBox::AppendText(std::string_view text) {
    appended_.assign(text);
    Text.edit([text](std::string& value) { value.append(text); }, kTextAppended);
}

void TextBox::RemoveTextFront(std::size_t bytes) {
    const std::string& text = Text;
    bytes = std::min(bytes, text.size());
    // Never half a character: the cut moves on past continuation bytes.
    while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        ++bytes;
    }
    removed_.assign(text, 0, bytes);
    Text.edit([bytes](std::string& value) { value.erase(0, bytes); }, kTextFrontRemoved);
}
namespace {
const std::string kEmpty;
}

void ListControl::AddItem(const std::string& item) {
    items_.push_back(item);
    notify("List");
}

void ListControl::RemoveItem(int index) {
    if (index >= 0 && index < ListCount()) {
        items_.erase(items_.begin() + index);
        if (ListIndex >= ListCount()) {
            ListIndex = ListCount() - 1;
        }
        notify("List");
    }
}

void ListControl::Clear() {
    SetItems({});
}

void ListControl::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    ListIndex = -1;
    notify("List");
}

const std::string& ListControl::List(int index) const {
    return (index >= 0 && index < ListCount()) ? items_[index] : kEmpty;
}

void ListControl::SetList(int index, const std::string& item) {
    if (index >= 0 && index < ListCount()) {
        items_[index] = item;
        notify("List");
    }
}

void FiguresOnly(int& keyAscii) {
    constexpr int kBackspace = 8;
    const bool figure = (keyAscii >= '0' && keyAscii <= '9') || keyAscii == '.';
    if (!figure && keyAscii != kBackspace) {
        keyAscii = 0;
    }
}

void ComboBox::ChooseText(const std::string& text) {
    const auto& items = Items();
    const auto it = std::find(items.begin(), items.end(), text);
    ListIndex = it == items.end() ? -1 : static_cast<int>(it - items.begin());
    Text = text;
}

Timer::Timer(Form& form, std::string name, int interval, bool enabled)
    : Control(form, std::move(name)), interval_(interval), enabled_(enabled) {
    Visible.setFromView(false);
}

Timer::~Timer() {
    deactivate();
}

void Timer::SetInterval(int ms) {
    interval_ = ms;
    reschedule();
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    reschedule();
}

void Timer::activate() {
    active_ = true;
    reschedule();
}

void Timer::deactivate() {
    active_ = false;
    reschedule();
}

void Timer::reschedule() {
    if (timerId_ != 0 && platform::hasServices()) {
        platform::services().loop().stopTimer(timerId_);
    }
    timerId_ = 0;
    if (active_ && enabled_ && interval_ > 0 && platform::hasServices()) {
        timerId_ = platform::services().loop().startTimer(interval_, [this] { Raise(Tick); });
    }
}

MenuItem::MenuItem(Form& form, std::string name, std::string caption, std::string shortcut)
    : Control(form, std::move(name)) {
    Caption.setFromView(std::move(caption));
    Shortcut.setFromView(std::move(shortcut));
}

MenuItem::MenuItem(MenuItem& menu, std::string name, std::string caption, std::string shortcut)
    : MenuItem(menu.ParentForm(), std::move(name), std::move(caption), std::move(shortcut)) {
    menu_ = &menu;
}

StatusBar::StatusBar(Form& form, std::string name, int panelCount)
    : Control(form, std::move(name)), panels_(static_cast<std::size_t>(panelCount)) {}

const std::string& StatusBar::PanelText(int index) const {
    return (index >= 1 && index <= PanelCount()) ? panels_[index - 1].text : kEmpty;
}

void StatusBar::SetPanelText(int index, const std::string& text) {
    if (index >= 1 && index <= PanelCount() && panels_[index - 1].text != text) {
        panels_[index - 1].text = text;
        notify("Panels");
    }
}

int StatusBar::PanelWidth(int index) const {
    return (index >= 1 && index <= PanelCount()) ? panels_[index - 1].width : 0;
}

void StatusBar::SetPanelWidth(int index, int twips) {
    if (index >= 1 && index <= PanelCount()) {
        panels_[index - 1].width = twips;
        notify("Panels");
    }
}

Toolbar::Toolbar(Form& form, std::string name, std::vector<ToolButton> buttons)
    : Control(form, std::move(name)), buttons_(std::move(buttons)) {}

const Toolbar::ToolButton& Toolbar::Button(int index) const {
    static const ToolButton kNone;
    return (index >= 1 && index <= ButtonCount()) ? buttons_[index - 1] : kNone;
}

int Toolbar::IndexOfKey(const std::string& key) const {
    for (int i = 0; i < ButtonCount(); ++i) {
        if (buttons_[i].key == key) {
            return i + 1;
        }
    }
    return 0;
}

void Toolbar::SetButtonEnabled(int index, bool enabled) {
    if (index >= 1 && index <= ButtonCount() && buttons_[index - 1].enabled != enabled) {
        buttons_[index - 1].enabled = enabled;
        notify("Buttons");
    }
}

void Toolbar::SetButtonVisible(int index, bool visible) {
    if (index >= 1 && index <= ButtonCount() && buttons_[index - 1].visible != visible) {
        buttons_[index - 1].visible = visible;
        notify("Buttons");
    }
}

void Toolbar::SetButtonMenuVisible(int index, int menuIndex, bool visible) {
    if (index < 1 || index > ButtonCount() || ButtonMenuVisible(index, menuIndex) == visible) {
        return;
    }
    std::vector<int>& hidden = buttons_[index - 1].hiddenMenuItems;
    if (visible) {
        std::erase(hidden, menuIndex);
    } else {
        hidden.push_back(menuIndex);
    }
    notify("Buttons");
}

bool Toolbar::ButtonMenuVisible(int index, int menuIndex) const {
    const std::vector<int>& hidden = Button(index).hiddenMenuItems;
    return std::find(hidden.begin(), hidden.end(), menuIndex) == hidden.end();
}

TabStrip::TabStrip(Form& form, std::string name, std::vector<std::string> captions)
    : Control(form, std::move(name)), captions_(std::move(captions)) {}

const std::string& TabStrip::TabCaption(int index) const {
    return (index >= 1 && index <= TabCount()) ? captions_[index - 1] : kEmpty;
}

}  // namespace ui

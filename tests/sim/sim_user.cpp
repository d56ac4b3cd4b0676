#include "tests/sim/sim_user.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/controls.h"
#include "ui/form.h"

namespace sim {
namespace {

void Type(ui::TextBox& box, int keyAscii) {
    ui::Raise(box.KeyPress, keyAscii);
    if (keyAscii == 0 || keyAscii == kEnter || keyAscii == kEscape || box.Locked) {
        return;
    }
    std::string text = box.Text;
    if (keyAscii == kBackspace) {
        if (!text.empty()) {
            text.pop_back();
        }
    } else if (box.MaxLength <= 0 || static_cast<int>(text.size()) < box.MaxLength) {
        text.push_back(static_cast<char>(keyAscii));
    }
    box.Text = text;
}

}  // namespace

void PressKey(ui::TextBox& box, int keyAscii) {
    if (!box.Enabled || !box.Visible) {
        return;
    }
    const int keyCode = keyAscii >= 'a' && keyAscii <= 'z' ? keyAscii - ('a' - 'A') : keyAscii;
    Type(box, keyAscii);
    ui::Raise(box.KeyUp, keyCode, 0);
}

void Choose(ui::ComboBox& combo, const std::string& item) {
    const auto& items = combo.Items();
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        ADD_FAILURE() << combo.Name() << " has no item \"" << item << "\"";
        return;
    }
    combo.ListIndex.setFromView(static_cast<int>(found - items.begin()));
    combo.Text.setFromView(item);
    ui::Raise(combo.Click);
}

bool PressShortcut(ui::Form& form, const std::string& keys) {
    ui::MenuItem* item = ui::FindShortcut(form, keys);
    if (item == nullptr) {
        ADD_FAILURE() << form.Name() << " has no shortcut " << keys;
        return false;
    }
    return item->PressShortcut();
}

void TypeInto(ui::TextBox& box, const std::string& keys) {
    for (const char key : keys) {
        PressKey(box, static_cast<unsigned char>(key));
    }
}

}  // namespace sim

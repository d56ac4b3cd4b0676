#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "qt/binder/keys.h"
#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

QStringList itemsOf(const ui::ListControl& list) {
    QStringList items;
    for (const std::string& item : list.Items()) {
        items << toQt(item);
    }
    return items;
}

}  // namespace

void bindComboBox(ui::ComboBox& combo, ControlBinding& binding) {
    auto& widget = expectWidget<QComboBox>(binding, "QComboBox");
    bindWidgetBasics(binding, widget);
    binding.mirror({"Style"}, [&] {
        widget.setEditable(combo.Style != 2);
        if (QLineEdit* edit = widget.lineEdit()) {
            // Only typing is a change of the text; choosing an item is a click.
            edit->disconnect(&binding);
            QObject::connect(edit, &QLineEdit::textEdited, &binding, [&combo](const QString& text) {
                combo.Text.setFromView(fromQt(text));
                ui::Raise(combo.Change);
            });
        }
    });
    // A drop-down list shows its text as the item of that text.
    auto showText = [&combo, &widget] {
        if (widget.isEditable()) {
            widget.setEditText(toQt(combo.Text));
        } else if (combo.ListIndex < 0 || widget.currentText() != toQt(combo.Text)) {
            widget.setCurrentIndex(widget.findText(toQt(combo.Text)));
        }
    };
    auto showIndex = [&combo, &widget, showText] {
        widget.setCurrentIndex(combo.ListIndex);
        showText();
    };
    // Choosing an item leaves the items alone: only a change of the list rebuilds them.
    binding.mirror({"List"}, [&combo, &widget, showIndex] {
        widget.clear();
        widget.addItems(itemsOf(combo));
        showIndex();
    });
    binding.onChange({"ListIndex"}, showIndex);
    binding.mirror({"Text"}, showText);
    QObject::connect(&widget, &QComboBox::activated, &binding, [&combo, &widget](int index) {
        combo.ListIndex.setFromView(index);
        combo.Text.setFromView(fromQt(widget.itemText(index)));
        ui::Raise(combo.Click);
    });
    binding.onEvent(widget, QEvent::MouseButtonPress, [&combo](QEvent&) {
        ui::Raise(combo.DropDown);
        return false;
    });
    binding.onEvent(widget, QEvent::KeyPress, [&combo, &widget](QEvent& event) {
        const auto& key = static_cast<QKeyEvent&>(event);
        if (key.key() == Qt::Key_F4 ||
            (key.modifiers().testFlag(Qt::AltModifier) && key.key() == Qt::Key_Down)) {
            ui::Raise(combo.DropDown);
        }
        return offerKeyPress(widget, static_cast<QKeyEvent&>(event), combo.KeyPress);
    });
}

void bindListBox(ui::ListBox& list, ControlBinding& binding) {
    auto& widget = expectWidget<QListWidget>(binding, "QListWidget");
    bindWidgetBasics(binding, widget);
    auto showIndex = [&list, &widget] { widget.setCurrentRow(list.ListIndex); };
    binding.mirror({"List"}, [&list, &widget, showIndex] {
        widget.clear();
        widget.addItems(itemsOf(list));
        showIndex();
    });
    binding.onChange({"ListIndex"}, showIndex);
    binding.mirror({"TopIndex"}, [&] {
        if (QListWidgetItem* item = widget.item(list.TopIndex)) {
            widget.scrollToItem(item, QAbstractItemView::PositionAtTop);
        }
    });
    QObject::connect(&widget, &QListWidget::currentRowChanged, &binding,
                     [&list, &binding](int row) {
                         if (!binding.applying()) {
                             list.ListIndex.setFromView(row);
                             ui::Raise(list.Click);
                         }
                     });
    QObject::connect(&widget, &QListWidget::itemDoubleClicked, &binding,
                     [&list] { ui::Raise(list.DblClick); });
}

}  // namespace qtplatform

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "qt/binder/appearance.h"
#include "qt/binder/keys.h"
#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {
namespace {

void bindLineEdit(ui::TextBox& box, QLineEdit& edit, ControlBinding& binding) {
    binding.mirror({"Text"}, [&] { edit.setText(toQt(box.Text)); });
    binding.onChange({ui::TextBox::kTextAppended, ui::TextBox::kTextFrontRemoved},
                     [&] { edit.setText(toQt(box.Text)); });
    binding.mirror({"Locked"}, [&] { edit.setReadOnly(box.Locked); });
    binding.mirror({"MaxLength"},
                   [&] { edit.setMaxLength(box.MaxLength > 0 ? box.MaxLength.get() : 32767); });
    binding.mirror({"PasswordChar"}, [&] {
        edit.setEchoMode(box.PasswordChar.get().empty() ? QLineEdit::Normal : QLineEdit::Password);
    });
    binding.mirror({"BorderStyle"}, [&] { edit.setFrame(box.BorderStyle != 0); });
    binding.mirror({"SelStart", "SelLength"},
                   [&] { edit.setSelection(box.SelStart, box.SelLength); });

    QObject::connect(&edit, &QLineEdit::textEdited, &binding, [&box](const QString& text) {
        box.Text.setFromView(fromQt(text));
        ui::Raise(box.Change);
    });
    QObject::connect(&edit, &QLineEdit::cursorPositionChanged, &binding, [&box, &edit, &binding] {
        if (!binding.applying()) {
            const bool selected = edit.hasSelectedText();
            box.SelStart.setFromView(selected ? edit.selectionStart() : edit.cursorPosition());
            box.SelLength.setFromView(selected ? static_cast<int>(edit.selectedText().size()) : 0);
        }
    });
}

// Multi-line boxes: QPlainTextEdit and QTextEdit share this interface. Returns how many
// characters a typed one would add to (the text less its selection), for the length limit.
template <typename Area>
std::function<int()> bindTextArea(ui::TextBox& box, Area& area, ControlBinding& binding) {
    binding.mirror({"Text"}, [&] {
        const QString previous = area.toPlainText();
        const QString text = toQtLines(box.Text);
        area.setPlainText(text);
        // A log that grows by appending keeps its newest line in sight.
        if (!previous.isEmpty() && text.startsWith(previous)) {
            area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
        }
    });
    // A log grows at its end and loses its oldest lines at the front; only those change on
    // screen, so a long log costs no more to add to than a short one.
    binding.onChange({ui::TextBox::kTextAppended}, [&] {
        QScrollBar& scroll = *area.verticalScrollBar();
        const bool atEnd = scroll.value() == scroll.maximum();
        QTextCursor end(area.document());
        end.movePosition(QTextCursor::End);
        end.insertText(toQtLines(box.AppendedText()));
        if (atEnd) {
            scroll.setValue(scroll.maximum());
        }
    });
    binding.onChange({ui::TextBox::kTextFrontRemoved}, [&] {
        QTextCursor front(area.document());
        front.setPosition(static_cast<int>(toQtLines(box.RemovedText()).size()),
                          QTextCursor::KeepAnchor);
        front.removeSelectedText();
    });
    binding.mirror({"Locked"}, [&] { area.setReadOnly(box.Locked); });
    binding.mirror({"BorderStyle"}, [&] {
        area.setFrameShape(box.BorderStyle != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
    });
    binding.mirror({"SelStart", "SelLength"}, [&] {
        QTextCursor cursor = area.textCursor();
        cursor.setPosition(box.SelStart);
        cursor.setPosition(box.SelStart + box.SelLength, QTextCursor::KeepAnchor);
        area.setTextCursor(cursor);
    });

    QObject::connect(&area, &Area::textChanged, &binding, [&box, &area, &binding] {
        if (!binding.applying()) {
            box.Text.setFromView(fromQtLines(area.toPlainText()));
            ui::Raise(box.Change);
        }
    });
    QObject::connect(&area, &Area::cursorPositionChanged, &binding, [&box, &area, &binding] {
        if (!binding.applying()) {
            const QTextCursor cursor = area.textCursor();
            box.SelStart.setFromView(cursor.selectionStart());
            box.SelLength.setFromView(cursor.selectionEnd() - cursor.selectionStart());
        }
    });
    return [&area] {
        return static_cast<int>(area.toPlainText().size() -
                                area.textCursor().selectedText().size());
    };
}

// KeyDown, then the length limit, then KeyPress, like the classic text box.
bool filterKey(ui::TextBox& box, QWidget& widget, QKeyEvent& key, int currentLength) {
    if (box.KeyDown) {
        int code = keyCodeOf(key);
        if (code != 0) {
            box.KeyDown(code, shiftStateOf(key.modifiers()));
            if (code == 0) {
                return true;
            }
        }
    }
    const int typed = keyAsciiOf(key);
    if (box.MaxLength > 0 && typed >= 32 && currentLength >= box.MaxLength) {
        return true;
    }
    return offerKeyPress(widget, key, box.KeyPress);
}

}  // namespace

void bindTextBox(ui::TextBox& box, ControlBinding& binding) {
    QObject& target = binding.target();
    auto* widget = qobject_cast<QWidget*>(&target);
    std::function<int()> length;
    if (auto* edit = qobject_cast<QLineEdit*>(&target)) {
        bindLineEdit(box, *edit, binding);
        // QLineEdit enforces its own maximum length.
        length = [] { return 0; };
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&target)) {
        length = bindTextArea(box, *plain, binding);
    } else if (auto* rich = qobject_cast<QTextEdit*>(&target)) {
        length = bindTextArea(box, *rich, binding);
    } else {
        failBinding(box, std::string("is a ") + target.metaObject()->className() +
                             ", expected QLineEdit, QPlainTextEdit or QTextEdit");
    }
    bindWidgetBasics(binding, *widget);
    binding.mirror({"BackColor"},
                   [&box, widget] { applyColor(*widget, QPalette::Base, box.BackColor); });
    binding.mirror({"FontBold", "FontSize"}, [&box, widget, designed = widget->font()] {
        applyFont(*widget, designed, box.FontBold, box.FontSize);
    });
    binding.onEvent(*widget, QEvent::KeyPress, [&box, widget, length](QEvent& event) {
        return filterKey(box, *widget, static_cast<QKeyEvent&>(event), length());
    });
    binding.onEvent(*widget, QEvent::KeyRelease, [&box](QEvent& event) {
        const auto& key = static_cast<QKeyEvent&>(event);
        if (box.KeyUp && !key.isAutoRepeat()) {
            box.KeyUp(keyCodeOf(key), shiftStateOf(key.modifiers()));
        }
        return false;
    });
}

}  // namespace qtplatform

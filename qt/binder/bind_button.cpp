#include <QFont>
#include <QPushButton>
#include <QShortcut>

#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

void bindButton(ui::Button& button, ControlBinding& binding) {
    auto& widget = expectWidget<QPushButton>(binding, "QPushButton");
    bindWidgetBasics(binding, widget);
    binding.mirror({"Caption"}, [&] { widget.setText(toQt(button.Caption)); });
    binding.mirror({"Default"}, [&] { widget.setDefault(button.Default); });
    binding.mirror({"FontItalic"}, [&, designed = widget.font()] {
        QFont font = designed;
        font.setItalic(button.FontItalic || designed.italic());
        widget.setFont(font);
    });
    // The cancel button answers Escape anywhere in its window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), widget.window());
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, &binding, [&button] { button.DoClick(); });
    binding.mirror({"Cancel"}, [&button, escape] { escape->setEnabled(button.Cancel); });
    QObject::connect(&widget, &QPushButton::clicked, &binding, [&button] { button.DoClick(); });
}

}  // namespace qtplatform

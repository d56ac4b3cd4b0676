#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include "qt/binder/appearance.h"
#include "qt/binder/kinds.h"
#include "qt/binder/resources.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"

namespace qtplatform {

// A frame is a QGroupBox (its caption the title) or any plain container widget.
void bindFrame(ui::Frame& frame, ControlBinding& binding) {
    auto& widget = expectWidget<QWidget>(binding, "QGroupBox or QFrame");
    bindWidgetBasics(binding, widget);
    if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        binding.mirror({"Caption"}, [&frame, group] { group->setTitle(toQt(frame.Caption)); });
    }
    binding.mirror({"BackColor"}, [&] { applyColor(widget, QPalette::Window, frame.BackColor); });
}

// A picture box is a QLabel showing the picture, or a container that holds other controls.
void bindPictureBox(ui::PictureBox& picture, ControlBinding& binding) {
    auto& widget = expectWidget<QWidget>(binding, "QLabel or QFrame");
    bindWidgetBasics(binding, widget);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        binding.mirror({"Picture"}, [&picture, label] {
            const QPixmap pixmap = pictureFor(picture.Picture);
            if (pixmap.isNull()) {
                label->clear();
            } else {
                label->setPixmap(pixmap);
            }
        });
    }
    binding.mirror({"BackColor"}, [&] { applyColor(widget, QPalette::Window, picture.BackColor); });
}

void bindProgressBar(ui::ProgressBar& bar, ControlBinding& binding) {
    auto& widget = expectWidget<QProgressBar>(binding, "QProgressBar");
    bindWidgetBasics(binding, widget);
    binding.mirror({"Min", "Max", "Value"}, [&] {
        widget.setRange(bar.Min, bar.Max);
        widget.setValue(bar.Value);
    });
}

}  // namespace qtplatform

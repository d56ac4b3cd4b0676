#include "qt/views/layouts.h"

#include "ui_Messages.h"

namespace qtplatform {
namespace {

template <typename Layout, typename Window = QWidget>
std::unique_ptr<QWidget> fromLayout() {
    auto window = std::make_unique<Window>();
    Layout().setupUi(window.get());
    return window;
}

}  // namespace

// One line per window: a new window is its qt/forms/<Name>.ui, its include above and a line here.
const std::map<std::string_view, LayoutFactory>& layouts() {
    static const std::map<std::string_view, LayoutFactory> table = {
        {"Messages", &fromLayout<Ui::Messages>},
    };
    return table;
}

}  // namespace qtplatform

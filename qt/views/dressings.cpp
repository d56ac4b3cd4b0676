#include "qt/views/dressings.h"

#include "console/kestova_main.h"
#include "qt/views/client_floor_look.h"
#include "qt/views/client_grid_look.h"

namespace qtplatform {
namespace {

void dressMainWindow(ui::Form& form, QWidget& window) {
    auto& main = static_cast<kestova::KestovaMain&>(form);
    dressClientGrid(main, window);
    dressClientFloor(main, window);
}

}  // namespace

// One line per window that draws more than its layout.
const std::map<std::string_view, Dressing>& dressings() {
    static const std::map<std::string_view, Dressing> table = {
        {"KestovaMain", &dressMainWindow},
    };
    return table;
}

}  // namespace qtplatform

#include "qt/views/client_floor_look.h"

#include <QPainter>

#include "console/client_grid.h"
#include "console/client_state.h"
#include "console/kestova_main.h"
#include "qt/binder/tile_board_view.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/text.h"
#include "qt/views/client_looks.h"

namespace qtplatform {
namespace {

namespace grid = kestova::client_grid;

class ClientFloorLook : public TileLook {
public:
    explicit ClientFloorLook(const kestova::KestovaMain& main) : main_(main) {}

    TileDress dress(int row) const override {
        TileDress dress;
        dress.marked = grid::IsMarked(main_.ConList, row, main_.BackColor);
        const std::optional<kestova::ClientState> state =
            kestova::ClientStateOfRow(main_.ConList, row, main_.ClientAlerts().alertMinutes());
        if (!state) {
            return dress;
        }
        const ClientLook& look = clientLook(*state);
        dress.accent = look.color;
        dress.icon = look.icon;
        dress.emphasised = *state == kestova::ClientState::EndingSoon;
        return dress;
    }

    QString toolTip(int row) const override {
        const std::optional<kestova::ClientState> state =
            kestova::ClientStateOfRow(main_.ConList, row, main_.ClientAlerts().alertMinutes());
        if (!state) {
            return {};
        }
        QString tip = clientLook(*state).name;
        const std::string& information = main_.ConList.TextMatrix(row, grid::kInformation);
        if (!information.empty()) {
            tip += ": " + toQt(information);
        }
        if (grid::IsMarked(main_.ConList, row, main_.BackColor)) {
            tip += "\nMarked";
        }
        return tip;
    }

    void paintMark(QPainter& painter, const QRectF& box) const override {
        const MarkLook look = markLook();
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.tab);
        painter.drawRoundedRect(box, 2, 2);
        painter.restore();
        paintCheckMark(painter, box.adjusted(2, 2, -2, -2), look.onTab);
    }

private:
    const kestova::KestovaMain& main_;
};

}  // namespace

void dressClientFloor(kestova::KestovaMain& main, QWidget& window) {
    auto* view = window.findChild<TileBoardView*>(QString::fromStdString(main.Floor.Name()));
    if (view == nullptr) {
        throw BindError("KestovaMain: the floor map has no bound board to draw its states on");
    }
    view->setLook(std::make_unique<ClientFloorLook>(main));
}

}  // namespace qtplatform

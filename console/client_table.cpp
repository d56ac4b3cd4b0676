#include "console/client_table.h"

#include <algorithm>

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/display_text.h"
#include "platform/services.h"
#include "ui/grid.h"

namespace kestova {
namespace {

constexpr std::string_view kFieldSeparator = "==";
constexpr std::size_t kSlotCountField = 0;
constexpr std::size_t kSlotField = 1;
constexpr std::size_t kFirstCellField = 2;  // the row label, column 0
constexpr std::size_t kStateField = 7;
constexpr std::string_view kConnectedState = "Connected.";

}  // namespace

std::vector<std::string_view> SplitClientRecord(std::string_view record) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t at = record.find(kFieldSeparator);
        fields.push_back(record.substr(0, at));
        if (at == std::string_view::npos) {
            return fields;
        }
        record.remove_prefix(at + kFieldSeparator.size());
    }
}

std::optional<int> LayClientRecord(ui::Grid& grid, const std::vector<std::string_view>& fields) {
    if (fields.size() <= kStateField) {
        return std::nullopt;
    }
    const auto row = ToWholeNumber(fields[kSlotField]);
    if (!row.has_value() || *row < 1) {
        return std::nullopt;
    }
    grid.BeginUpdate();
    const auto slots = ToWholeNumber(fields[kSlotCountField]);
    if (slots.has_value() && *slots >= 0 && *slots <= kMaxClientSlots) {
        grid.SetRows(*slots + 1);
    }
    const bool laid = *row < grid.Rows();
    if (laid) {
        const bool shown =
            fields[kStateField] == kConnectedState && !fields[kFirstCellField].empty();
        grid.SetRowHeight(*row,
                          shown ? client_grid::kShownRowHeight : client_grid::kHiddenRowHeight);
        if (shown) {
            const std::size_t cells = std::min<std::size_t>(fields.size() - kFirstCellField,
                                                            client_grid::kLastDataColumn + 1);
            for (std::size_t column = 0; column < cells; ++column) {
                grid.SetTextMatrix(*row, static_cast<int>(column),
                                   CutForDisplay(fields[kFirstCellField + column],
                                                 kLongestCellShown, kCellCutMark));
            }
        }
    }
    grid.EndUpdate();
    return laid ? row : std::nullopt;
}

void HandleClientUpdate(KestovaMain& main, const Reply& reply) {
    if (!main.ListenTimer.IsEnabled()) {
        return;
    }
    const auto record = reply.Value(1);
    if (!record.has_value()) {
        return;
    }
    const std::vector<std::string_view> fields = SplitClientRecord(*record);
    platform::EventLoop& loop = platform::services().loop();
    loop.yield();
    if (const std::optional<int> row = LayClientRecord(main.ConList, fields)) {
        main.ClientRecordLaid(*row);
    }
    loop.yield();
}

}  // namespace kestova

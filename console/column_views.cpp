#include "console/column_views.h"

#include <string>

#include "console/client_grid.h"
#include "console/kestova_main.h"
#include "core/convert.h"
#include "core/settings.h"

namespace kestova {
namespace {

// A saved width of 0 hides the column; any other number leaves it at its initial width, and a
// value that is no number is passed over.
void ApplySavedWidth(ui::Grid& grid, int column, const settings::Setting& setting) {
    const std::string saved = setting.hasDefault
                                  ? ReadSetting(setting)
                                  : ReadSetting(setting, std::to_string(grid.ColWidth(column)));
    const std::optional<double> width = ToNumber(saved);
    if (width.has_value() && *width == 0) {
        grid.SetColWidth(column, 0);
    }
}

// The download columns the café uses; nothing when "Download" is no truth value (then neither
// the columns nor their items are changed).
struct DownloadColumnsUsed {
    bool rates;
    bool quotas;
};

std::optional<DownloadColumnsUsed> DownloadColumnsInUse() {
    const std::optional<bool> download = ToTruth(ReadSetting(settings::Download));
    if (!download.has_value()) {
        return std::nullopt;
    }
    return DownloadColumnsUsed{.rates = *download,
                               .quotas = *download && ReadSetting(settings::DownType) != "2"};
}

void ShowDownloadItems(KestovaMain& main, const DownloadColumnsUsed& used) {
    main.M_nQuota.Visible = used.quotas;
    main.m_SQuota.Visible = used.quotas;
    main.m_DRate.Visible = used.rates;
    main.m_UpRate.Visible = used.rates;
}

// A column in use follows its saved width (0 by default); one not in use is hidden.
void ApplyDownloadColumn(ui::Grid& grid, int column, const settings::Setting& setting, bool used) {
    if (used) {
        ApplySavedWidth(grid, column, setting);
    } else {
        grid.SetColWidth(column, 0);
    }
}

void ApplyDownloadColumns(KestovaMain& main) {
    const std::optional<DownloadColumnsUsed> used = DownloadColumnsInUse();
    if (!used.has_value()) {
        return;
    }
    ShowDownloadItems(main, *used);
    ui::Grid& grid = main.ConList;
    ApplyDownloadColumn(grid, client_grid::kLeftQuota, settings::LQuotaWidth, used->quotas);
    ApplyDownloadColumn(grid, client_grid::kOrgQuota, settings::OldQuotaWidth, used->quotas);
    ApplyDownloadColumn(grid, client_grid::kDownRate, settings::DownRateWidth, used->rates);
    ApplyDownloadColumn(grid, client_grid::kUpRate, settings::UpRateWidth, used->rates);
}

}  // namespace

std::array<ColumnView, 10> ColumnViews(KestovaMain& main) {
    using namespace client_grid;
    return {{
        {&main.m_username, kUsername, 1500, &settings::UsernameWidth},
        {&main.m_info, kInformation, 1635, &settings::InformationWidth},
        {&main.m_State, kState, 1200, &settings::StateWidth},
        {&main.m_ClientIP, kClientIP, 1300, &settings::ClientIpWidth},
        {&main.m_ClientPort, kPort, 500, &settings::PortNoWidth},
        {&main.m_LogInTime, kLogInTime, 1200, &settings::LogInTimeWidth},
        {&main.M_nQuota, kLeftQuota, 900, &settings::LQuotaWidth},
        {&main.m_SQuota, kOrgQuota, 900, &settings::OldQuotaWidth},
        {&main.m_DRate, kDownRate, 900, &settings::DownRateWidth},
        {&main.m_UpRate, kUpRate, 900, &settings::UpRateWidth},
    }};
}

void ToggleColumnView(KestovaMain& main, const ColumnView& view) {
    ui::Grid& grid = main.ConList;
    const int width = grid.ColWidth(view.column) == 0 ? view.shownWidth : 0;
    grid.SetColWidth(view.column, width);
    WriteSetting(*view.savedWidth, std::to_string(width));
    main.RecomputeFillerColumn();
}

void ToggleAllColumnViews(KestovaMain& main) {
    using namespace client_grid;
    ui::Grid& grid = main.ConList;
    if (main.m_all.Checked) {
        for (int column : {kUsername, kInformation, kState, kClientIP, kLogInTime, kPort}) {
            grid.SetColWidth(column, 0);
        }
    } else {
        for (int column = kNumber; column <= kPort; ++column) {
            grid.SetColWidth(column, InitialWidth(column));
        }
    }
    for (int column = kLeftQuota; column <= kUpRate; ++column) {
        grid.SetColWidth(column, 0);
    }
    // Saved under the keys the load reads, so the choice holds at the next start.
    for (const ColumnView& view : ColumnViews(main)) {
        WriteSetting(*view.savedWidth, std::to_string(grid.ColWidth(view.column)));
    }
    main.RecomputeFillerColumn();
}

void OfferDownloadColumnItems(KestovaMain& main) {
    if (const std::optional<DownloadColumnsUsed> used = DownloadColumnsInUse()) {
        ShowDownloadItems(main, *used);
    }
}

void ApplySavedColumnViews(KestovaMain& main) {
    ui::Grid& grid = main.ConList;
    ApplySavedWidth(grid, client_grid::kUsername, settings::UsernameWidth);
    ApplySavedWidth(grid, client_grid::kInformation, settings::InformationWidth);
    ApplySavedWidth(grid, client_grid::kState, settings::StateWidth);
    ApplySavedWidth(grid, client_grid::kClientIP, settings::ClientIpWidth);
    ApplySavedWidth(grid, client_grid::kLogInTime, settings::LogInTimeWidth);
    ApplySavedWidth(grid, client_grid::kPort, settings::PortNoWidth);
    ApplyDownloadColumns(main);
}

}  // namespace kestova

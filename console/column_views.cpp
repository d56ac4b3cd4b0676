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

void ApplyDownloadColumns(KestovaMain& main) {
    const std::optional<bool> download = ToTruth(ReadSetting(settings::Download));
    if (!download.has_value()) {
        return;
    }
    ui::Grid& grid = main.ConList;
    if (!*download) {
        for (ui::MenuItem* item : {&main.M_nQuota, &main.m_DRate, &main.m_SQuota, &main.m_UpRate}) {
            item->Visible = false;
        }
        for (int column = client_grid::kLeftQuota; column <= client_grid::kUpRate; ++column) {
            grid.SetColWidth(column, 0);
        }
        return;
    }
    const bool quotasShown = ReadSetting(settings::DownType) != "2";
    main.M_nQuota.Visible = quotasShown;
    main.m_SQuota.Visible = quotasShown;
    if (quotasShown) {
        ApplySavedWidth(grid, client_grid::kLeftQuota, settings::LQuotaWidth);
        ApplySavedWidth(grid, client_grid::kOrgQuota, settings::OldQuotaWidth);
    } else {
        grid.SetColWidth(client_grid::kLeftQuota, 0);
        grid.SetColWidth(client_grid::kOrgQuota, 0);
    }
    main.m_DRate.Visible = true;
    main.m_UpRate.Visible = true;
    ApplySavedWidth(grid, client_grid::kDownRate, settings::DownRateWidth);
    ApplySavedWidth(grid, client_grid::kUpRate, settings::UpRateWidth);
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
    const std::pair<const settings::Setting*, int> saved[] = {
        {&settings::UsernameWidth, kUsername},  {&settings::InformationWidth, kInformation},
        {&settings::StateWidth, kState},        {&settings::ClientIpWidth, kClientIP},
        {&settings::PortNoWidth, kPort},        {&settings::LogInTimeWidth, kLogInTime},
        {&settings::NewQuotaWidth, kLeftQuota}, {&settings::StartQuotaWidth, kOrgQuota},
        {&settings::DownRateWidth, kDownRate},
    };
    for (const auto& [setting, column] : saved) {
        WriteSetting(*setting, std::to_string(grid.ColWidth(column)));
    }
    main.RecomputeFillerColumn();
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

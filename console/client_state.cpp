#include "console/client_state.h"

#include <charconv>

#include "console/client_grid.h"

namespace kestova {
namespace {

// More hours than any session has: a longer text is no time the server wrote.
constexpr std::size_t kLongestHoursText = 5;

std::optional<int> Digits(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || text.front() == '-') {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int> MinutesLeft(std::string_view timeText) {
    const std::size_t colon = timeText.find(':');
    if (colon == std::string_view::npos || colon > kLongestHoursText ||
        timeText.size() != colon + 3) {
        return std::nullopt;
    }
    const std::optional<int> hours = Digits(timeText.substr(0, colon));
    const std::optional<int> minutes = Digits(timeText.substr(colon + 1));
    if (!hours || !minutes || *minutes > 59) {
        return std::nullopt;
    }
    return *hours * 60 + *minutes;
}

bool TimeRunsDown(std::string_view information) {
    return information.starts_with("Logged in");
}

ClientState ClassifyClient(const ClientTexts& texts, int alertMinutes) {
    if (TimeRunsDown(texts.information)) {
        const std::optional<int> left = MinutesLeft(texts.time);
        return left && *left < alertMinutes ? ClientState::EndingSoon : ClientState::InUse;
    }
    if (texts.information == "Paused") {
        return ClientState::Paused;
    }
    if (texts.information == "Disabled" || texts.information == "Invisible Mode") {
        return ClientState::Disabled;
    }
    if (texts.information == "Administrator Mode") {
        return ClientState::Administrator;
    }
    if (texts.information == "Self Timer Mode" || !texts.user.empty()) {
        return ClientState::InUse;
    }
    return ClientState::Ready;
}

std::optional<ClientState> ClientStateOfRow(const ui::Grid& grid, int row, int alertMinutes) {
    if (!client_grid::HasClient(grid, row)) {
        return std::nullopt;
    }
    return ClassifyClient(
        {grid.TextMatrix(row, client_grid::kUsername), grid.TextMatrix(row, client_grid::kTime),
         grid.TextMatrix(row, client_grid::kInformation)},
        alertMinutes);
}

}  // namespace kestova

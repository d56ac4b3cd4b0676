// Reading a client row's state from its texts, as the grid and every other view of the clients
// draw it, and the server's time text read as hours and minutes left.
#include <gtest/gtest.h>

#include "console/client_state.h"
#include "ui/form.h"

namespace kestova {
namespace {

TEST(ClientStateTest, TheTimeTextIsHoursAndMinutesLeft) {
    const struct {
        const char* text;
        std::optional<int> minutes;
    } cases[] = {
        {"01:20", 80}, {"00:00", 0},     {"0:05", 5},   {"100:59", 6059},  {"*****", {}},
        {"", {}},      {"01:60", {}},    {"01:5", {}},  {"1:200", {}},     {"-0:05", {}},
        {":05", {}},   {"01:20:30", {}}, {"0a:05", {}}, {"123456:00", {}}, {" 01:20", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MinutesLeft(c.text), c.minutes) << '"' << c.text << '"';
    }
}

TEST(ClientStateTest, EachModeHasItsStateAndRunningTimeEndsSoonUnderTheThreshold) {
    using S = ClientState;
    const struct {
        ClientTexts texts;
        int alertMinutes;
        ClientState state;
    } cases[] = {
        {{"john", "00:05", "Logged in"}, 5, S::InUse},
        {{"john", "00:04", "Logged in"}, 5, S::EndingSoon},
        {{"john", "00:00", "Logged in (ticket)"}, 5, S::EndingSoon},
        {{"john", "00:04", "Logged in"}, 0, S::InUse},
        {{"john", "*****", "Logged in"}, 5, S::InUse},
        {{"john", "00:01", "Paused"}, 5, S::Paused},
        {{"", "00:01", "Self Timer Mode"}, 5, S::InUse},
        {{"", "", "Ready"}, 5, S::Ready},
        {{"", "", "Disabled"}, 5, S::Disabled},
        {{"", "", "Invisible Mode"}, 5, S::Disabled},
        {{"", "", "Administrator Mode"}, 5, S::Administrator},
        {{"john", "00:30", "30mins deallocated"}, 5, S::InUse},
        {{"", "00:00", "paused"}, 5, S::Ready},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyClient(c.texts, c.alertMinutes), c.state)
            << c.texts.information << " " << c.texts.time << " under " << c.alertMinutes;
    }
}

TEST(ClientStateTest, ARowWithoutAClientHasNoState) {
    ui::Form form("KestovaMain");
    ui::Grid grid(form, "ConList", 3, 14);
    grid.SetTextMatrix(1, 1, "PC1");
    grid.SetTextMatrix(1, 4, "Paused");
    grid.SetTextMatrix(2, 4, "Paused");
    EXPECT_EQ(ClientStateOfRow(grid, 1, 5), ClientState::Paused);
    EXPECT_EQ(ClientStateOfRow(grid, 2, 5), std::nullopt);
    EXPECT_EQ(ClientStateOfRow(grid, 0, 5), std::nullopt);
}

}  // namespace
}  // namespace kestova

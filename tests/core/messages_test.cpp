#include "core/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "core/display_text.h"
#include "core/version.h"

namespace kestova {
namespace {

// The message window is a log: notices pile up until the operator closes it, and the About box
// never mixes with them.
class MessagesTest : public ::testing::Test {
protected:
    Messages window;
};

TEST_F(MessagesTest, NoticesAppendInOrderEachEndedByALineBreak) {
    window.ShowNotice("Client renamed.", kKestovaServerMessagesTitle);
    window.ShowNotice("Time allocated.", kKestovaServerMessagesTitle);

    EXPECT_EQ(window.Text1.Text.get(), "Client renamed.\r\nTime allocated.\r\n");
    EXPECT_TRUE(window.Visible);
    EXPECT_EQ(window.Caption.get(), kKestovaServerMessagesTitle);
}

TEST_F(MessagesTest, ANoticeUnderAnotherTitleStillAppendsAndRetitles) {
    window.ShowNotice("first", kKestovaServerMessagesTitle);
    window.ShowNotice("second", kServerMessagesTitle);

    EXPECT_EQ(window.Text1.Text.get(), "first\r\nsecond\r\n");
    EXPECT_EQ(window.Caption.get(), kServerMessagesTitle);
}

TEST_F(MessagesTest, AboutBoxShowsVersionIconAndPlatformLineWithOnlyItsText) {
    window.ShowNotice("a notice", kServerMessagesTitle);
    window.ShowNotice("Operator console of the café.", kAboutTitle);

    EXPECT_EQ(window.Text1.Text.get(), "Operator console of the café.\r\n");
    EXPECT_EQ(window.Caption.get(), kAboutTitle);
    EXPECT_EQ(window.Label1.Caption.get(), VersionTitle());
    EXPECT_EQ(window.Label2.Caption.get(), "for Windows Platform");
    EXPECT_TRUE(window.Picture1.Visible);
    EXPECT_EQ(window.Picture2.Picture.get(), "kestova");
    EXPECT_EQ(window.Text1.BorderStyle, 0);
    EXPECT_FALSE(window.Text1.FontBold);
    EXPECT_EQ(window.Text1.FontSize, 8.0);
}

TEST_F(MessagesTest, ANoticeAfterTheAboutBoxReplacesIt) {
    window.ShowNotice("about text", kAboutTitle);
    window.ShowNotice("Server is busy.", kServerMessagesTitle);

    EXPECT_EQ(window.Text1.Text.get(), "Server is busy.\r\n");
    EXPECT_FALSE(window.Picture1.Visible);
    EXPECT_EQ(window.Picture2.Picture.get(), "");
    EXPECT_EQ(window.Label1.Caption.get(), "");
    EXPECT_EQ(window.Text1.BorderStyle, 1);
}

TEST_F(MessagesTest, ANoticeAfterATipReplacesIt) {
    window.ShowNotice("log line", kKestovaServerMessagesTitle);
    window.ShowNotice("Press F5 to refresh.", kTipTitle);
    EXPECT_EQ(window.Text1.Text.get(), "log line\r\nPress F5 to refresh.\r\n");

    window.ShowNotice("next", kKestovaServerMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "next\r\n");
}

TEST_F(MessagesTest, CloseButtonUnloadsAndTheNextNoticeStartsAFreshLog) {
    window.ShowNotice("old", kKestovaServerMessagesTitle);
    EXPECT_EQ(window.OKButton.Caption.get(), "Clo&se");

    window.OKButton.DoClick();
    EXPECT_FALSE(window.IsLoaded());
    EXPECT_FALSE(window.Visible);
    EXPECT_EQ(window.Text1.Text.get(), "");

    window.ShowNotice("new", kKestovaServerMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "new\r\n");
    EXPECT_TRUE(window.IsLoaded());
}

TEST_F(MessagesTest, ClosingByTheCloseBoxAlsoEmptiesTheLog) {
    window.ShowNotice("old", kKestovaServerMessagesTitle);
    EXPECT_TRUE(window.CloseRequested());

    window.ShowNotice("new", kKestovaServerMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "new\r\n");
}

TEST_F(MessagesTest, AMinimisedWindowIsRestoredByANotice) {
    window.ShowNotice("one", kKestovaServerMessagesTitle);
    window.WindowState = 1;
    window.ShowNotice("two", kKestovaServerMessagesTitle);
    EXPECT_EQ(window.WindowState, 0);
}

TEST_F(MessagesTest, ALogLeftRunningKeepsItsLastThousandMessagesAndSaysSo) {
    for (std::size_t i = 1; i <= kMessagesKept + 2; ++i) {
        window.ShowNotice("message " + std::to_string(i), kKestovaServerMessagesTitle);
        EXPECT_EQ(window.lblDropped.Visible, i > kMessagesKept) << i;
    }
    const std::string& text = window.Text1.Text;
    EXPECT_TRUE(text.starts_with("message 3\r\n"));
    EXPECT_TRUE(text.ends_with("message 1002\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(kMessagesKept));
    window.Unload();
    EXPECT_FALSE(window.lblDropped.Visible) << "a fresh log has dropped nothing";
}

TEST_F(MessagesTest, AMessageTooLongToShowIsCutAndMarked) {
    const std::string longText(kLongestMessageShown + 10, 'x');
    window.ShowClientMessages(longText);
    EXPECT_EQ(window.Text1.Text.get(),
              std::string(kLongestMessageShown, 'x') + std::string(kMessageCutMark) + "\r\n");
    window.AddClientMessage("\u20ac" + std::string(kLongestMessageShown, 'y'));
    EXPECT_TRUE(window.Text1.Text.get().ends_with("\u20ac" +
                                                  std::string(kLongestMessageShown - 1, 'y') +
                                                  std::string(kMessageCutMark) + "\r\n"))
        << "characters are counted, not bytes";
}

TEST(MessagesWindowTest, IsOneWindowForTheWholeProgram) {
    Messages& window = MessagesWindow();
    EXPECT_EQ(&window, &MessagesWindow());
    ShowNotice("through the program-wide routine", kServerMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "through the program-wide routine\r\n");
    window.Unload();
}

TEST(VersionTitleTest, IsTheProductNameAndThreePartVersion) {
    EXPECT_TRUE(std::regex_match(VersionTitle(), std::regex(R"(Zarnevo Kestova v\d+\.\d+\.\d+)")))
        << VersionTitle();
}

}  // namespace
}  // namespace kestova

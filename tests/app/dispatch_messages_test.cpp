// Messages from clients and from the server in the message window: replaced, added to, or kept
// out when the operator disabled them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/messages.h"
#include "dispatch/dispatcher.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;

// Counts the flashes of the main window's caption.
class FlashCounter : public ui::FormView {
public:
    void formPropertyChanged(ui::Form&, std::string_view) override {}
    void focusControl(ui::Control&) override {}
    void flash() override { ++flashes; }
    int flashes = 0;
};

class MessageRepliesTest : public ConsoleSimTest {
protected:
    KestovaMain& main = console();
    Messages& window = MessagesWindow();
    FlashCounter view;

    MessageRepliesTest() {
        // A closed window that showed client messages before.
        window.Caption = kClientMessagesTitle;
        main.setView(&view);
    }
    ~MessageRepliesTest() override { main.setView(nullptr); }
};

TEST_F(MessageRepliesTest, AClientMessageReplacesWhatTheWindowShowed) {
    ShowNotice("Allocation done.", kKestovaServerMessagesTitle);
    DispatchMessage(main, "||CMESSAGE||PC3: please help||");
    EXPECT_TRUE(window.Visible);
    EXPECT_EQ(window.Caption.get(), kClientMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "PC3: please help\r\n");
    EXPECT_FALSE(window.Picture1.Visible);
    EXPECT_EQ(window.Label1.Caption.get(), "");
    EXPECT_FALSE(window.Text1.FontBold);
    EXPECT_EQ(window.Text1.FontSize.get(), 8.0);
}

TEST_F(MessageRepliesTest, AClientMessageWithoutValueShowsTheWindowWithoutChangingItsText) {
    DispatchMessage(main, "||CMESSAGE||old||");
    ShowNotice("", kAboutTitle);
    DispatchMessage(main, "||CMESSAGE");
    EXPECT_EQ(window.Caption.get(), kClientMessagesTitle);
    EXPECT_FALSE(window.Picture1.Visible);
    EXPECT_EQ(window.Picture2.Picture.get(), "");
}

TEST_F(MessageRepliesTest, AddedMessagesPileUpAsClientMessagesEachOnItsOwnLine) {
    DispatchMessage(main, "||IMESSAGE||first||IMESSAGE||second||");
    EXPECT_EQ(window.Text1.Text.get(), "first\r\nsecond\r\n");
    DispatchMessage(main, "||CMESSAGE||third||IMESSAGE||fourth||");
    EXPECT_EQ(window.Text1.Text.get(), "third\r\nfourth\r\n") << "never run together";
    EXPECT_EQ(view.flashes, 0);
}

TEST_F(MessageRepliesTest, AnAddedMessageReplacesANoticeOrTheAboutBox) {
    ShowNotice("Allocation done.", kKestovaServerMessagesTitle);
    DispatchMessage(main, "||IMESSAGE||hello||");
    EXPECT_EQ(window.Caption.get(), kClientMessagesTitle);
    EXPECT_EQ(window.Text1.Text.get(), "hello\r\n");

    ShowNotice("", kAboutTitle);
    DispatchMessage(main, "||IMESSAGE||again||");
    EXPECT_EQ(window.Text1.Text.get(), "again\r\n");
    EXPECT_FALSE(window.Picture1.Visible);
}

TEST_F(MessageRepliesTest, AServerMessageFlashesTheConsoleAndIsAdded) {
    DispatchMessage(main, "||MESSAGE||hello||");
    EXPECT_EQ(view.flashes, 1);
    EXPECT_TRUE(window.Visible);
    EXPECT_EQ(window.Text1.Text.get(), "hello\r\n");
}

TEST_F(MessageRepliesTest, DisabledServerMessagesChangeNothing) {
    setOption(settings::DisableMessage, "True");
    DispatchMessage(main, "||MESSAGE||hello||");
    EXPECT_EQ(view.flashes, 0);
    EXPECT_FALSE(window.Visible);
    EXPECT_EQ(window.Text1.Text.get(), "");
}

}  // namespace
}  // namespace kestova

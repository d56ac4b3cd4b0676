#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "core/messages.h"
#include "core/version.h"
#include "qt/binder/widget_basics.h"
#include "qt/views/form_views.h"

namespace {

using kestova::kAboutTitle;
using kestova::kServerMessagesTitle;

template <typename Widget>
Widget& child(QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(name);
    if (widget == nullptr) {
        throw std::runtime_error(std::string("no widget ") + name);
    }
    return *widget;
}

// The message window built from its layout through the registry, as the program builds it.
class MessagesViewTest : public ::testing::Test {
protected:
    QWidget& shown() { return views.window(messages); }

    kestova::Messages messages;
    qtplatform::FormViews views;  // destroyed before the form
};

TEST_F(MessagesViewTest, TheFirstNoticeBuildsAndShowsTheWindowWithItsText) {
    views.attach(messages);
    messages.ShowNotice("Client renamed.", kServerMessagesTitle);
    messages.ShowNotice("Time allocated.", kServerMessagesTitle);

    QWidget& window = shown();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.objectName(), "Messages");
    EXPECT_EQ(window.windowTitle(), kServerMessagesTitle);
    EXPECT_EQ(child<QPlainTextEdit>(window, "Text1").toPlainText(),
              "Client renamed.\nTime allocated.\n");
    EXPECT_TRUE(child<QPlainTextEdit>(window, "Text1").isReadOnly());
    EXPECT_TRUE(child<QWidget>(window, "Picture1").isHidden());
    EXPECT_EQ(child<QPushButton>(window, "OKButton").text(), "Clo&se");
}

TEST_F(MessagesViewTest, AboutBoxShowsIconVersionAndPlatformLine) {
    views.attach(messages);
    messages.ShowNotice("Operator console", kAboutTitle);

    QWidget& window = shown();
    EXPECT_FALSE(child<QWidget>(window, "Picture1").isHidden());
    EXPECT_FALSE(child<QLabel>(window, "Picture2").pixmap().isNull());
    EXPECT_EQ(child<QLabel>(window, "Label1").text().toStdString(), kestova::VersionTitle());
    EXPECT_EQ(child<QLabel>(window, "Label2").text(), "for Windows Platform");
    EXPECT_EQ(child<QPlainTextEdit>(window, "Text1").frameShape(), QFrame::NoFrame);
}

TEST_F(MessagesViewTest, ClickingCloseUnloadsTheFormAndHidesTheWindow) {
    views.attach(messages);
    messages.ShowNotice("a notice", kServerMessagesTitle);
    QWidget& window = shown();

    QTest::mouseClick(&child<QPushButton>(window, "OKButton"), Qt::LeftButton);

    EXPECT_FALSE(messages.IsLoaded());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(child<QPlainTextEdit>(window, "Text1").toPlainText(), "");
}

TEST_F(MessagesViewTest, EscapeAndTheCloseBoxCloseTheWindowLikeTheButton) {
    views.attach(messages);
    messages.ShowNotice("a notice", kServerMessagesTitle);
    QWidget& window = shown();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(messages.IsLoaded());

    messages.ShowNotice("again", kServerMessagesTitle);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(messages.IsLoaded());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MessagesViewTest, TheShownLogKeepsItsLastMessagesAndSaysWhenOlderOnesWent) {
    views.attach(messages);
    for (std::size_t i = 1; i <= kestova::kMessagesKept + 2; ++i) {
        messages.AddClientMessage("line " + std::to_string(i));
    }
    QWidget& window = shown();
    const QString text = child<QPlainTextEdit>(window, "Text1").toPlainText();
    EXPECT_TRUE(text.startsWith("line 3\nline 4\n"));
    EXPECT_TRUE(text.endsWith("line 1002\n"));
    EXPECT_EQ(text.count('\n'), static_cast<qsizetype>(kestova::kMessagesKept));
    EXPECT_FALSE(child<QLabel>(window, "lblDropped").isHidden());
}

TEST_F(MessagesViewTest, AFormWithoutALayoutIsRefused) {
    ui::Form nameless("NoSuchWindow");
    EXPECT_THROW(views.attach(nameless), qtplatform::BindError);
}

}  // namespace

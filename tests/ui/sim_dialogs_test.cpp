// Scripted dialogs are how behaviour tests speak for the operator; an unexpected question must
// never pass silently.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/sim/sim_test.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace msgbox = platform::msgbox;

class SimDialogsTest : public sim::SimTest {
protected:
    platform::Dialogs& program() { return platform::services().dialogs(); }
};

TEST_F(SimDialogsTest, ScriptedAnswersAreGivenInOrderAndTheBoxesAreRecorded) {
    dialogs().expectInputBox(HasSubstr("minutes"), "30");
    dialogs().expectMsgBox(StartsWith("Allocate 30"), msgbox::Yes);
    EXPECT_EQ(program().InputBox("How many minutes?", "Title", "10"), "30");
    EXPECT_EQ(program().MsgBox("Allocate 30 minutes?", msgbox::YesNo | msgbox::Question, "Title"),
              msgbox::Yes);
    ASSERT_EQ(dialogs().shown().size(), 2u);
    EXPECT_EQ(dialogs().shown()[0].defaultText, "10");
    EXPECT_EQ(dialogs().last().flags, msgbox::YesNo | msgbox::Question);
    EXPECT_EQ(dialogs().last().title, "Title");
    EXPECT_TRUE(dialogs().verifyAllConsumed());
}

TEST_F(SimDialogsTest, UnexpectedQuestionFailsTheTestAndIsDismissed) {
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = program().MsgBox("Delete everything?", msgbox::YesNo, "Title"),
                            "Unexpected message box \"Delete everything?\"");
    EXPECT_EQ(answer, msgbox::No);
    std::string typed = "x";
    EXPECT_NONFATAL_FAILURE(typed = program().InputBox("Name?", "Title", "old"),
                            "Unexpected input box");
    EXPECT_EQ(typed, "");
    EXPECT_FALSE(dialogs().last().expected);
}

TEST_F(SimDialogsTest, BoxThatDoesNotMatchTheNextExpectationIsUnexpected) {
    dialogs().expectMsgBox("Terminate?", msgbox::Yes);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = program().MsgBox("Log off?", msgbox::YesNoCancel, "T"),
                            "expected a message box that is equal to \"Terminate?\"");
    EXPECT_EQ(answer, msgbox::Cancel);
    // The scripted answer still waits for its own box.
    EXPECT_EQ(program().MsgBox("Terminate?", msgbox::YesNo, "T"), msgbox::Yes);
}

TEST_F(SimDialogsTest, UnusedExpectationFailsTheVerification) {
    dialogs().expectMsgBox(HasSubstr("never asked"), msgbox::Yes);
    EXPECT_NONFATAL_FAILURE(dialogs().verifyAllConsumed(), "was expected but never shown");
}

TEST_F(SimDialogsTest, StandingAnswerCoversRepeatedNotices) {
    dialogs().alwaysAnswerMsgBox(HasSubstr("lost"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(program().MsgBox("Connection lost", msgbox::OKOnly, "T"), msgbox::OK);
    }
    EXPECT_EQ(dialogs().countShown(HasSubstr("lost")), 3);
}

TEST_F(SimDialogsTest, EventsKeepRunningWhileTheOperatorReadsABox) {
    int ticks = 0;
    loop().startTimer(1000, [&] { ++ticks; });
    dialogs().expectMsgBox("Continue?", msgbox::Yes).after(3500);
    EXPECT_EQ(program().MsgBox("Continue?", msgbox::YesNo, "T"), msgbox::Yes);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(loop().now(), 3500);
}

TEST(DismissAnswer, IsTheCancellingButtonOfEachButtonSet) {
    EXPECT_EQ(sim::DismissAnswer(msgbox::OKOnly | msgbox::Information), msgbox::OK);
    EXPECT_EQ(sim::DismissAnswer(msgbox::OKCancel), msgbox::Cancel);
    EXPECT_EQ(sim::DismissAnswer(msgbox::YesNo | msgbox::Question | msgbox::DefaultButton2),
              msgbox::No);
    EXPECT_EQ(sim::DismissAnswer(msgbox::YesNoCancel | msgbox::Exclamation), msgbox::Cancel);
}

}  // namespace

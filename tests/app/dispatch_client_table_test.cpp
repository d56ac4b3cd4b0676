// UPDATE records laying rows of the client table: shown and hidden rows, the row count, records
// that are ignored, and the gate of the supervision timer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/client_table.h"
#include "core/display_text.h"
#include "dispatch/dispatcher.h"
#include "tests/app/connection_test_support.h"

namespace kestova {
namespace {

using testing::ConsoleSimTest;

constexpr const char* kPc3 =
    "20==3==3.==PC3==john==01:20==Logged in==Connected.==127.0.1.13==10:15==1003==0==0==0==0";

class ClientTableTest : public ConsoleSimTest {
protected:
    KestovaMain& main = console();

    void update(std::string_view record) {
        DispatchMessage(main, "||UPDATE||" + std::string(record) + "||");
    }
    std::vector<std::string> rowTexts(int row) {
        std::vector<std::string> texts;
        for (int column = 0; column <= 12; ++column) {
            texts.push_back(main.ConList.TextMatrix(row, column));
        }
        return texts;
    }
};

TEST_F(ClientTableTest, AConnectedRecordSetsTheRowCountAndFillsItsRow) {
    update(kPc3);
    EXPECT_EQ(main.ConList.Rows(), 21);
    EXPECT_EQ(main.ConList.RowHeight(3), 255);
    EXPECT_THAT(rowTexts(3),
                ::testing::ElementsAre("3.", "PC3", "john", "01:20", "Logged in", "Connected.",
                                       "127.0.1.13", "10:15", "1003", "0", "0", "0", "0"));
    EXPECT_EQ(main.ConList.TextMatrix(3, 13), "") << "the filler column is never written";
}

TEST_F(ClientTableTest, ACellTooLongToShowIsCutAndMarked) {
    const std::string megabyte(1024 * 1024, 'L');
    update("20==3==" + megabyte + "==PC3==john==01:20==Logged in==Connected.==127.0.1.13");
    EXPECT_EQ(main.ConList.TextMatrix(3, 0),
              std::string(kLongestCellShown, 'L') + std::string(kCellCutMark));
    EXPECT_EQ(main.ConList.TextMatrix(3, 1), "PC3");
}

TEST_F(ClientTableTest, ADisconnectedRecordHidesTheRowAndKeepsItsTexts) {
    update(kPc3);
    update(
        "20==3==3.==PC3==mary==00:00==Paused==Disconnected==127.0.1.13==10:15==1003==0==0==0==0");
    EXPECT_EQ(main.ConList.RowHeight(3), 0);
    EXPECT_EQ(main.ConList.TextMatrix(3, 2), "john");
    EXPECT_EQ(main.ConList.TextMatrix(3, 4), "Logged in");
}

TEST_F(ClientTableTest, TheStateMustBeExactlyConnectedWithItsFullStop) {
    update("20==3==3.==PC3==john==01:20==Logged in==connected.==127.0.1.13");
    EXPECT_EQ(main.ConList.RowHeight(3), 0);
    update("20==3==3.==PC3==john==01:20==Logged in==Connected==127.0.1.13");
    EXPECT_EQ(main.ConList.RowHeight(3), 0);
    EXPECT_EQ(main.ConList.TextMatrix(3, 1), "");
}

TEST_F(ClientTableTest, ARecordWithoutRowLabelHidesItsRowEvenWhenConnected) {
    update(kPc3);
    update("20==3====PC3==john==01:20==Logged in==Connected.==127.0.1.13");
    EXPECT_EQ(main.ConList.RowHeight(3), 0);
    EXPECT_EQ(main.ConList.TextMatrix(3, 0), "3.");
}

TEST_F(ClientTableTest, ASmallerSlotCountDropsTheRowsBeyondIt) {
    update(kPc3);
    update("20==15==15.==PC15==kim==00:05==Logged in==Connected.==127.0.1.25");
    update("5==2==2.==PC2==lee==00:05==Logged in==Connected.==127.0.1.12");
    EXPECT_EQ(main.ConList.Rows(), 6);
    EXPECT_EQ(main.ConList.TextMatrix(3, 1), "PC3");
    EXPECT_EQ(main.ConList.TextMatrix(2, 1), "PC2");
}

TEST_F(ClientTableTest, ASlotBeyondTheSlotCountChangesOnlyTheRowCount) {
    update("4==9==9.==PC9==kim==00:05==Logged in==Connected.==127.0.1.19");
    EXPECT_EQ(main.ConList.Rows(), 5);
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(main.ConList.TextMatrix(row, 1), "") << row;
    }
}

TEST_F(ClientTableTest, AShortRecordFillsTheColumnsItHas) {
    update("6==2==2.==PC2==lee==00:05==Logged in==Connected.==127.0.1.12==09:00");
    EXPECT_EQ(main.ConList.RowHeight(2), 255);
    EXPECT_EQ(main.ConList.TextMatrix(2, 7), "09:00");
    EXPECT_EQ(main.ConList.TextMatrix(2, 8), "");
}

TEST_F(ClientTableTest, RecordsForTheHeaderRowOrWithoutAStateAreRejectedWhole) {
    update(kPc3);
    update("30==0==No.==PC0==x==00:00==Logged in==Connected.==127.0.1.10");
    EXPECT_EQ(main.ConList.Rows(), 21) << "not even the row count changes";
    EXPECT_EQ(main.ConList.TextMatrix(0, 1), "Client Name");

    update("30==-2==x.==PC==x==00:00==Logged in==Connected.==127.0.1.10");
    update("30==4==4.==PC4==x==00:00==Logged in");
    update("30==four==4.==PC4==x==00:00==Logged in==Connected.==127.0.1.14");
    EXPECT_EQ(main.ConList.Rows(), 21);
    EXPECT_EQ(main.ConList.TextMatrix(4, 1), "");
}

TEST_F(ClientTableTest, AnUnusableSlotCountLeavesTheRowCountButTheRowIsStillLaid) {
    update(kPc3);
    update("many==3==3.==PC3==ann==00:01==Logged in==Connected.==127.0.1.13");
    EXPECT_EQ(main.ConList.Rows(), 21);
    EXPECT_EQ(main.ConList.TextMatrix(3, 2), "ann");

    update("99999999==3==3.==PC3==bea==00:01==Logged in==Connected.==127.0.1.13");
    EXPECT_EQ(main.ConList.Rows(), 21) << "no café has that many computers";
    EXPECT_EQ(main.ConList.TextMatrix(3, 2), "bea");
}

TEST_F(ClientTableTest, TheSlotNumberIsRoundedHalfToEven) {
    update("9==2.5==2.==PC2==lee==00:05==Logged in==Connected.==127.0.1.12");
    EXPECT_EQ(main.ConList.TextMatrix(2, 1), "PC2");
    update("9==3.5==4.==PC4==kim==00:05==Logged in==Connected.==127.0.1.14");
    EXPECT_EQ(main.ConList.TextMatrix(4, 1), "PC4");
}

TEST_F(ClientTableTest, UpdatesAreIgnoredWhileTheSupervisionTimerIsStopped) {
    main.ListenTimer.SetEnabled(false);
    update(kPc3);
    EXPECT_EQ(main.ConList.Rows(), 2);
    main.ListenTimer.SetEnabled(true);
    update(kPc3);
    EXPECT_EQ(main.ConList.Rows(), 21);
}

TEST_F(ClientTableTest, SeveralRecordsInOneMessageAreLaidInOrder) {
    DispatchMessage(main,
                    "||UPDATE||3==1==1.==PC1==ann==00:10==Logged in==Connected.==127.0.1.11||"
                    "UPDATE||3==2==2.==PC2==bob==00:20==Paused==Connected.==127.0.1.12||"
                    "UPDATE||3==1==1.==PC1==cy==00:30==Logged in==Connected.==127.0.1.11||");
    EXPECT_EQ(main.ConList.TextMatrix(1, 2), "cy");
    EXPECT_EQ(main.ConList.TextMatrix(2, 4), "Paused");
}

TEST(ClientRecordTest, FieldsAreSplitAtEveryDoubleEqualsSignKeepingEmptyOnes) {
    EXPECT_THAT(SplitClientRecord("a====b=c=="), ::testing::ElementsAre("a", "", "b=c", ""));
    EXPECT_THAT(SplitClientRecord(""), ::testing::ElementsAre(""));
}

}  // namespace
}  // namespace kestova

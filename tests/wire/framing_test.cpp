#include "core/wire/framing.h"

#include <gtest/gtest.h>

namespace {

using wire::SplitElements;
using wire::SplitPairs;

TEST(Framing, EmptyValueKeepsItsElement) {
    EXPECT_EQ(SplitElements("||UPDATE||||"), (std::vector<std::string>{"", "UPDATE", "", ""}));
    const auto pairs = SplitPairs("||UPDATE||||");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].keyword, "UPDATE");
    EXPECT_EQ(pairs[0].value, "");
}

TEST(Framing, NoLeadingSeparatorAndLowerCaseKeyword) {
    EXPECT_EQ(SplitElements("UPDATE||||"), (std::vector<std::string>{"UPDATE", "", ""}));
    const auto pairs = SplitPairs("update||||");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].keyword, "UPDATE");
}

TEST(Framing, LeadingEmptyElementsAreSkipped) {
    const auto elements = SplitElements("||||TYPE||USER||");
    EXPECT_EQ(wire::FirstPairIndex(elements), 2u);
    const auto pairs = SplitPairs("||||TYPE||USER||");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].keyword, "TYPE");
    EXPECT_EQ(pairs[0].value, "USER");
}

TEST(Framing, EmptyTextHasNoElementsAndNoPairs) {
    EXPECT_TRUE(SplitElements("").empty());
    EXPECT_TRUE(SplitPairs("").empty());
    EXPECT_TRUE(SplitPairs("||||").empty());
}

TEST(Framing, KeywordInTheLastElementHasNoValue) {
    const auto pairs = SplitPairs("||A||1||B");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1].keyword, "B");
    EXPECT_FALSE(pairs[1].hasValue);
}

TEST(Framing, ValuesKeepTheirCaseAndSpaces) {
    const auto pairs = SplitPairs("||MESSAGE|| Hello There ||");
    ASSERT_FALSE(pairs.empty());
    EXPECT_EQ(pairs[0].value, " Hello There ");
}

}  // namespace

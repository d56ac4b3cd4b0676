#include "core/wire/codec.h"

#include <gtest/gtest.h>

#include <string>

#include "core/wire/codepage.h"

namespace {

using wire::DecodeText;
using wire::EncodeText;

TEST(Codec, EncodesTheWorkedExampleAndBack) {
    EXPECT_EQ(EncodeText("abc"), "995895795");
    EXPECT_EQ(DecodeText("995895795"), "abc");
    EXPECT_EQ(EncodeText(""), "");
    EXPECT_EQ(DecodeText(""), "");
}

TEST(Codec, GroupsOfTheExtremeCodes) {
    EXPECT_EQ(wire::EncodeBytes(std::string(1, '\0')), "005");
    EXPECT_EQ(wire::EncodeBytes(std::string(1, '\xFF')), "557");
    EXPECT_EQ(wire::EncodeBytes("a"), "795");
    EXPECT_EQ(wire::DecodeBytes("005"), std::string(1, '\0'));
}

TEST(Codec, ShortTrailingGroupIsDropped) {
    EXPECT_EQ(DecodeText("9958957951"), "abc");
    EXPECT_EQ(DecodeText("99589579512"), "abc");
}

TEST(Codec, MalformedGroupCostsOneCharacterWithoutShifting) {
    // "x95" is not a number; "999" is 999 - 500 = 499, beyond a byte. Both add nothing.
    EXPECT_EQ(DecodeText("995x95795"), "ac");
    EXPECT_EQ(DecodeText("995999795"), "ac");
    EXPECT_EQ(DecodeText("000"), "");
}

TEST(Codec, EveryByteRoundTrips) {
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all.push_back(static_cast<char>(code));
    }
    EXPECT_EQ(wire::DecodeBytes(wire::EncodeBytes(all)), all);
    EXPECT_EQ(wire::EncodeBytes(all).size(), 3 * all.size());
}

TEST(CodePage, MapsUtf8ToWindows1252AndBack) {
    EXPECT_EQ(wire::Utf8ToCp1252("caf\u00e9 \u20ac5"),
              "caf\xE9 \x80"
              "5");
    EXPECT_EQ(wire::Cp1252ToUtf8("caf\xE9 \x80"
                                 "5"),
              "caf\u00e9 \u20ac5");
    // Characters the code page lacks, and broken UTF-8, travel as "?".
    EXPECT_EQ(wire::Utf8ToCp1252("\u4e2d!"), "?!");
    EXPECT_EQ(wire::Utf8ToCp1252("\xC3"), "?");
    EXPECT_EQ(EncodeText("\u00e9"), wire::EncodeBytes("\xE9"));
}

}  // namespace

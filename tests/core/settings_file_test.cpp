#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kestova::IniDocument;

std::string RoundTrip(const std::string& value) {
    IniDocument document;
    document.setValue("Option", "Key", value);
    const IniDocument back = IniDocument::Parse(document.Serialize());
    const std::string* read = back.findValue("Option", "Key");
    return read == nullptr ? "<missing>" : *read;
}

TEST(SettingsFile, PlainValuesStayPlain) {
    IniDocument document;
    document.setValue("Option", "Refresh", "20");
    document.setValue("POS", "COM", "COM1");
    document.setValue("Option", "Path", "C:\\Zarnevo\\Kestova.exe");
    document.setValue("Option", "Sum", "a=b");
    document.setValue("Option", "Said", "he said \"hi\"");
    EXPECT_EQ(document.Serialize(),
              "[Option]\nRefresh=20\nPath=C:\\Zarnevo\\Kestova.exe\nSum=a=b\n"
              "Said=he said \"hi\"\n\n[POS]\nCOM=COM1\n");
}

TEST(SettingsFile, ValuesThatNeedItAreQuotedAndReadBackExactly) {
    for (const std::string& value :
         {std::string("  two leading"), std::string("trailing  "), std::string(" "),
          std::string("\"starts with a quote"), std::string("line one\nline two"),
          std::string("cr\r\n"), std::string("tab\there"), std::string("back\\slash\\"),
          std::string("x=\"y\"\\n"), std::string(""), std::string("nul\0byte", 8),
          std::string("\x7F\x01"), std::string("caf\xC3\xA9 \xE2\x82\xAC")}) {
        EXPECT_EQ(RoundTrip(value), value);
    }
    IniDocument document;
    document.setValue("S", "K", " x\n");
    EXPECT_EQ(document.Serialize(), "[S]\nK=\" x\\n\"\n");
}

TEST(SettingsFile, NamesThatNeedItAreQuotedAndReadBackExactly) {
    IniDocument document;
    const std::string odd[] = {"a=b",   " spaced ", "[bracket", ";semi",
                               "#hash", "\"q",      "",         "line\nbreak"};
    for (const std::string& key : odd) {
        document.setValue("S", key, "v:" + key);
    }
    document.setValue("]odd[ ", "k", "v");
    document.setValue("HKEY_USERS\\.default\\Software\\Zarnevo", "ServerIP", "127.0.0.1");
    const std::string text = document.Serialize();
    EXPECT_NE(text.find("[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n"),
              std::string::npos);
    const IniDocument back = IniDocument::Parse(text);
    for (const std::string& key : odd) {
        ASSERT_NE(back.findValue("S", key), nullptr) << key;
        EXPECT_EQ(*back.findValue("S", key), "v:" + key);
    }
    ASSERT_NE(back.findValue("]odd[ ", "k"), nullptr);
    EXPECT_EQ(back.sections().size(), 3u);
}

TEST(SettingsFile, SectionsAndKeysIgnoreCase) {
    IniDocument document = IniDocument::Parse("[Option]\nPortNo=12\n");
    ASSERT_NE(document.findValue("OPTION", "portno"), nullptr);
    document.setValue("option", "PorTNo", "14");
    EXPECT_EQ(document.Serialize(), "[Option]\nPortNo=14\n");
    EXPECT_TRUE(document.eraseValue("OPTION", "PORTNO"));
    EXPECT_FALSE(document.eraseValue("OPTION", "PORTNO"));
    EXPECT_FALSE(document.eraseValue("Nowhere", "PORTNO"));
    EXPECT_NE(document.findSection("option"), nullptr);
}

TEST(SettingsFile, HandEditedFilesAreRead) {
    const IniDocument document = IniDocument::Parse(
        "; a comment\r\n# another\r\n\r\n  [Option]  \r\n Refresh = 25 \r\nLoop=\r\n"
        "[POS]\nCOM=\"COM2\"   \n");
    EXPECT_EQ(*document.findValue("Option", "Refresh"), "25");
    EXPECT_EQ(*document.findValue("Option", "Loop"), "");
    EXPECT_EQ(*document.findValue("POS", "COM"), "COM2");
}

// A technician's notes stay where they stand through the program's writes, also when the value
// under a note goes or a line around it cannot be read.
TEST(SettingsFile, CommentLinesAreKeptThroughEveryRewrite) {
    IniDocument document = IniDocument::Parse(
        "; kestova.ini of the counter\r\n\r\n# server: see the café's wiki\n[Option]\n"
        "; every 20 s\nRefresh=20\n  ;  no rotation \t\r\r\nUsePort=1\n; old\nRefresh=9\n"
        "broken line\n; kept\n[POS]\n; the receipt printer\nCOM=COM1\n# last words\n");
    document.setValue("option", "REFRESH", "30");
    EXPECT_TRUE(document.eraseValue("Option", "UsePort"));
    document.setValue("Option", "Loop", "5");
    EXPECT_TRUE(document.eraseValue("POS", "COM"));
    const std::string expected =
        "; kestova.ini of the counter\n# server: see the café's wiki\n[Option]\n"
        "; every 20 s\nRefresh=30\nLoop=5\n\n;  no rotation\n; old\n; kept\n[POS]\n"
        "; the receipt printer\n# last words\n";
    EXPECT_EQ(document.Serialize(), expected);
    EXPECT_EQ(IniDocument::Parse(expected).Serialize(), expected);
    EXPECT_EQ(IniDocument::Parse("# only a note").Serialize(), "# only a note\n");
}

TEST(SettingsFile, MalformedLinesAreSkipped) {
    const IniDocument document = IniDocument::Parse(
        "Orphan=before any section\n[Option]\nno equals sign\n=no key\nBad=\"unclosed\n"
        "Esc=\"bad \\q escape\"\nHex=\"\\xZZ\"\nShort=\"\\x4\"\nTail=\"ok\" junk\n"
        "\"Unclosed key=1\n\"k\" missing equals\nGood=1\n[\n]\n"
        "[\"unclosed section]\nLost=values of an unreadable section\n");
    ASSERT_EQ(document.sections().size(), 1u);
    const auto& entries = document.sections()[0].entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "Good");
}

TEST(SettingsFile, DuplicateSectionsMergeAndTheFirstKeyCounts) {
    const IniDocument document =
        IniDocument::Parse("[Option]\nA=1\n[POS]\nB=2\n[OPTION]\na=3\nC=4\n");
    ASSERT_EQ(document.sections().size(), 2u);
    EXPECT_EQ(*document.findValue("Option", "A"), "1");
    EXPECT_EQ(*document.findValue("Option", "C"), "4");
}

// A key is a duplicate only within its own section; a large file keeps every entry in order.
TEST(SettingsFile, KeysRepeatOnlyWithinTheirSectionAndLargeFilesKeepEveryEntry) {
    std::string text;
    for (const char* section : {"[A]\n", "[B]\n", "[a]\n"}) {
        text += section;
        for (int i = 0; i < 2000; ++i) {
            text += "Key" + std::to_string(i) + "=" + section[1] + std::to_string(i) + "\n";
        }
    }
    const IniDocument document = IniDocument::Parse(text);
    ASSERT_EQ(document.sections().size(), 2u);
    for (const kestova::IniSection& section : document.sections()) {
        ASSERT_EQ(section.entries.size(), 2000u);
        EXPECT_EQ(section.entries[1999].key, "Key1999");
        EXPECT_EQ(section.entries[1999].value, section.name + "1999");
    }
}

TEST(SettingsFile, EmptySectionsSurvive) {
    IniDocument document;
    document.ensureSection("HKEY_USERS\\.default");
    document.ensureSection("HKEY_USERS\\.DEFAULT");
    const IniDocument back = IniDocument::Parse(document.Serialize());
    ASSERT_EQ(back.sections().size(), 1u);
    EXPECT_EQ(back.sections()[0].name, "HKEY_USERS\\.default");
    EXPECT_TRUE(back.sections()[0].entries.empty());
    EXPECT_TRUE(IniDocument::Parse("").sections().empty());
}

}  // namespace

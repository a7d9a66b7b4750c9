#include "shell/text_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinPathTest, AddsOneSeparatorAndKeepsAbsoluteNames) {
    EXPECT_EQ(joinPath("", "Quorvane.tmp"), "Quorvane.tmp");
    EXPECT_EQ(joinPath("/opt/game", "Quorvane.tmp"), "/opt/game/Quorvane.tmp");
    EXPECT_EQ(joinPath("/opt/game/", "Quorvane.tmp"), "/opt/game/Quorvane.tmp");
    EXPECT_EQ(joinPath("/opt/game", "/home/a/Quorvane.sav"), "/home/a/Quorvane.sav");
    EXPECT_EQ(joinPath("/opt/game", ""), "/opt/game/");
}

TEST(DirectoryOfTest, StripsTheNameAndKeepsTheRoot) {
    EXPECT_EQ(directoryOf("Quorvane.sav"), "");
    EXPECT_EQ(directoryOf("/home/a/.local/share/quorvane/Quorvane.sav"),
              "/home/a/.local/share/quorvane");
    EXPECT_EQ(directoryOf("/Quorvane.sav"), "/");
}

TEST(QuoteFieldTest, QuotesOnlyWhenNeededAndDoublesQuotes) {
    EXPECT_EQ(quoteField("https://www.quorvane.example/", ' ', '"'),
              "https://www.quorvane.example/");
    EXPECT_EQ(quoteField("a b", ' ', '"'), "\"a b\"");
    EXPECT_EQ(quoteField("say \"hi\"", ',', '"'), "\"say \"\"hi\"\"\"");
}

TEST(SetFieldTest, BuildsTheBrowserCommandLine) {
    std::string line;
    EXPECT_EQ(setField(line, ' ', "Explorer", 0, '"'), 0);
    EXPECT_EQ(setField(line, ' ', "https://www.quorvane.example/", 1, '"'), 0);
    EXPECT_EQ(line, "Explorer https://www.quorvane.example/");
    EXPECT_EQ(setField(line, ' ', "https://x.example/a b", 1, '"'), 0);
    EXPECT_EQ(line, "Explorer \"https://x.example/a b\"");
}

TEST(SetFieldTest, ReplacesKeepingOtherFieldsAndTheirQuotes) {
    std::string line = "a,\"b,c\",d";
    EXPECT_EQ(setField(line, ',', "x", 2, '"'), 0);
    EXPECT_EQ(line, "a,\"b,c\",x");
    EXPECT_EQ(setField(line, ',', "y", 0, '"'), 0);
    EXPECT_EQ(line, "y,\"b,c\",x");
}

TEST(SetFieldTest, PadsMissingFieldsAndDropsTrailingSeparators) {
    std::string line = "a";
    EXPECT_EQ(setField(line, ',', "z", 3, '"'), 0);
    EXPECT_EQ(line, "a,,,z");
    EXPECT_EQ(setField(line, ',', "", 3, '"'), 0);
    EXPECT_EQ(line, "a");
    line = ",,";
    EXPECT_EQ(setField(line, ',', "", 1, '"'), 0);
    EXPECT_EQ(line, "");
}

TEST(SetFieldTest, NegativeIndexLeavesTheLine) {
    std::string line = "a b";
    EXPECT_EQ(setField(line, ' ', "x", -1, '"'), -1);
    EXPECT_EQ(line, "a b");
}

} // namespace

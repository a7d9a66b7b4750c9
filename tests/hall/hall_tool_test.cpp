#include "hall/hall_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Stored outputs of the tool. To renew one after a deliberate change of the generator:
//   build/bin/quorvane-hall NAME LEVEL > tests/hall/golden/FILE
// (for the high-byte name, NAME is $'\xC9l\xE8ve'). The normal and the sanitizer build compare
// with the same files, so a pass in both shows the halls do not depend on the build.
struct Golden {
    std::vector<std::string> args;
    const char* file;
};

const Golden goldens[] = {
    {{"Tessmark", "1"}, "tessmark_1.txt"},
    {{"Tessmark", "50"}, "tessmark_50.txt"},
    {{"Tessmark", "99"}, "tessmark_99.txt"},
    {{"abc", "1"}, "abc_1.txt"},
    {{"", "1"}, "empty_1.txt"},
    {{"\xC9l\xE8ve", "12"}, "high_byte_12.txt"},
    {{"Forty bytes of game name for the hall!!!", "33"}, "forty_bytes_33.txt"},
    {{"--map", "Tessmark", "1"}, "map_tessmark_1.txt"},
};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(HallToolTest, OutputMatchesTheStoredHalls) {
    for (const Golden& golden : goldens) {
        const std::string expected =
            readFile(std::string(QUORVANE_SOURCE_DIR) + "/tests/hall/golden/" + golden.file);
        ASSERT_FALSE(expected.empty()) << golden.file;
        std::string out;
        std::string err;
        EXPECT_EQ(runHallTool(golden.args, &out, &err), toolSuccess) << golden.file;
        EXPECT_TRUE(err.empty()) << golden.file;
        EXPECT_TRUE(out == expected) << golden.file << " differs:\n" << out;
    }
}

TEST(HallToolTest, BadArgumentsGiveOneUsageLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"Tessmark"},
        {"Tessmark", "0"},
        {"Tessmark", "100"},
        {"Tessmark", "-1"},
        {"Tessmark", "7x"},
        {"Tessmark", ""},
        {"Tessmark", "1", "extra"},
        {"--map", "Tessmark"},
        {"--map", "Tessmark", "abc"},
        {"--maps", "Tessmark", "1"},
    };
    for (const auto& args : cases) {
        std::string out;
        std::string err;
        EXPECT_EQ(runHallTool(args, &out, &err), toolUsageError) << args.size();
        EXPECT_TRUE(out.empty());
        ASSERT_FALSE(err.empty());
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_EQ(err.rfind("usage: quorvane-hall", 0), 0u) << err;
    }
}

TEST(HallToolTest, TwoArgumentsAreAlwaysNameAndLevel) {
    std::string asName;
    std::string err;
    EXPECT_EQ(runHallTool({"--map", "5"}, &asName, &err), toolSuccess);
    EXPECT_EQ(asName.rfind("seed ", 0), 0u);
    std::string leadingZero;
    EXPECT_EQ(runHallTool({"--map", "05"}, &leadingZero, &err), toolSuccess);
    EXPECT_EQ(asName, leadingZero);
}

} // namespace

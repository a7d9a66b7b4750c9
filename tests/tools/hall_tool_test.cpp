#include "tools/hall/hall_tool.h"

#include "hall/tool_text.h"

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

TEST(HallToolTest, AWriterGetsThePrintingAsItComesAndNothingIsGathered) {
    std::vector<std::string> parts;
    ToolOutput out([&parts](std::string_view text) { parts.emplace_back(text); });
    std::string err;
    ASSERT_EQ(runHallTool({"--replay", "Tessmark", "3"}, &out, &err), toolSuccess) << err;
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].rfind("Tessmark level 3: solved, ", 0), 0u) << parts[0];
    EXPECT_TRUE(out.text().empty());

    parts.clear();
    EXPECT_EQ(runHallTool({"--replay", "Tessmark", "0"}, &out, &err), toolUsageError);
    EXPECT_TRUE(parts.empty()) << "a usage error prints nothing";
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

TEST(HallToolTest, AnOptionWithoutItsArgumentsIsAUsageError) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--map", "12"}, {"--replay", "5"}, {"--replay-all"}}) {
        std::string out, err;
        EXPECT_EQ(runHallTool(args, &out, &err), toolUsageError) << args[0];
        EXPECT_TRUE(out.empty()) << args[0];
        EXPECT_EQ(err.rfind("usage: quorvane-hall", 0), 0u) << err;
    }
    // After an option, a name that is an option is still a name.
    std::string out, err;
    EXPECT_EQ(runHallTool({"--map", "--map", "5"}, &out, &err), toolSuccess);
    EXPECT_EQ(out.rfind("\"--map\" level 5: ", 0), 0u) << out;
}

TEST(HallToolTest, EveryModeTakesTheLevelInTheGamesOwnForm) {
    for (const char* mode : {"", "--map", "--replay"}) {
        for (const char* level : {" 5", "5 ", "+5", "-5", "05", "005", "0x5", "5.0", "0", "100"}) {
            std::vector<std::string> args = {"Tessmark", level};
            if (mode[0] != 0) {
                args.insert(args.begin(), mode);
            }
            std::string out, err;
            EXPECT_EQ(runHallTool(args, &out, &err), toolUsageError)
                << mode << " '" << level << "'";
        }
    }
    int level = 0;
    for (const char* text : {"1", "9", "10", "99"}) {
        EXPECT_TRUE(parseLevel(text, &level)) << text;
        EXPECT_EQ(std::to_string(level), text);
    }
}

TEST(HallToolTest, NamesArePrintedWithTheirControlBytesEscaped) {
    EXPECT_EQ(printableName("Tessmark"), "Tessmark");
    EXPECT_EQ(printableName("\x1B]0;owned\x07\n\r\t\x7F"),
              "\\x1B]0;owned\\x07\\x0A\\x0D\\x09\\x7F");
    EXPECT_EQ(printableName(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(printableName("\xC9l\xE8ve \\ \"x\""), "\xC9l\xE8ve \\ \"x\"") << "other bytes stay";

    std::string out, err;
    ASSERT_EQ(runHallTool({"--map", "evil\n\x1B[2J", "3"}, &out, &err), toolSuccess);
    EXPECT_EQ(out.substr(0, out.find('\n')).rfind("\"evil\\x0A\\x1B[2J\" level 3: ", 0), 0u) << out;
    EXPECT_EQ(out.find('\x1B'), std::string::npos);
}

} // namespace

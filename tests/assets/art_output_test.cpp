// Runs the whole art build into a temporary folder and checks what the game will load.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

#include "art_builder.h"
#include "assets/png_reader.h"

namespace {

namespace fs = std::filesystem;

struct Expected {
    const char* file;
    int width, height;
};

// Every picture the game's catalogue loads, with the least size it reads.
const Expected expectedPictures[] = {
    {"lumbrake.png", 329, 258},  {"cursor.png", 4, 4},         {"back.png", 924, 924},
    {"grass.png", 500, 500},     {"explosion1.png", 32, 32},   {"explosion10.png", 32, 32},
    {"explosion11.png", 32, 32}, {"explosion13.png", 32, 32},  {"explosion15.png", 32, 32},
    {"wall.png", 44, 44},        {"wall1.png", 44, 44},        {"wall2.png", 44, 44},
    {"wall3.png", 44, 44},       {"wall4.png", 44, 44},        {"window.png", 44, 132},
    {"floor.png", 44, 44},       {"floor2.png", 44, 44},       {"floor3.png", 44, 44},
    {"floor4.png", 44, 44},      {"floora.png", 44, 44},       {"floora1.png", 44, 44},
    {"floora2.png", 44, 44},     {"floora3.png", 44, 44},      {"floora4.png", 44, 44},
    {"floorb.png", 44, 44},      {"floorb1.png", 44, 44},      {"floorb2.png", 44, 44},
    {"floorb3.png", 44, 44},     {"floorb4.png", 44, 44},      {"ball.png", 44, 44},
    {"ballend.png", 44, 44},     {"box.png", 44, 44},          {"boxend.png", 44, 44},
    {"spike.png", 44, 44},       {"spikeend.png", 44, 44},     {"ballmutace.png", 44, 44},
    {"boxmutace.png", 44, 44},   {"spikemutace.png", 44, 44},  {"lightfire.png", 44, 44},
    {"lightday.png", 44, 44},    {"arrow.png", 44, 44},        {"ballamoeba.png", 352, 44},
    {"boxamoeba.png", 352, 44},  {"spikeamoeba.png", 352, 44}, {"bigamoeba.png", 1056, 132},
    {"teleporta.png", 44, 44},   {"teleportb.png", 44, 44},    {"teleportc.png", 44, 44},
    {"ballgate.png", 44, 44},    {"boxgate.png", 44, 44},      {"spikegate.png", 44, 44},
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path freshFolder(const char* name) {
    const fs::path folder =
        fs::temp_directory_path() / ("quorvane-art-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(folder);
    return folder;
}

// One build shared by the tests of this file: drawing everything takes a moment.
class ArtOutputTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = freshFolder("a");
        built_ = buildArt(folder_.string(), (folder_ / "contact.png").string(), &error_);
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    void SetUp() override { ASSERT_TRUE(built_) << error_; }

    static fs::path graphics() { return folder_ / "graphics"; }

    static inline fs::path folder_;
    static inline bool built_ = false;
    static inline std::string error_;
};

// One test for the pictures: each test process draws everything again.
TEST_F(ArtOutputTest, EveryCataloguePictureIsADrawnPngOfAtLeastItsSize) {
    for (const Expected& e : expectedPictures) {
        const DecodedPng png = readPng((graphics() / e.file).string());
        ASSERT_TRUE(png.valid) << e.file;
        EXPECT_GE(png.width, e.width) << e.file;
        EXPECT_GE(png.height, e.height) << e.file;
        if (e.width < 16) {
            continue; // the cursor is a 4 × 4 dot
        }
        std::set<std::uint32_t> colours;
        for (std::size_t i = 0; i + 3 < png.rgba.size(); i += 4) {
            colours.insert(static_cast<std::uint32_t>(png.rgba[i]) << 24 | png.rgba[i + 1] << 16 |
                           png.rgba[i + 2] << 8 | png.rgba[i + 3]);
        }
        EXPECT_GT(colours.size(), 16u) << e.file << " looks like a flat placeholder";
    }
    const DecodedPng sheet = readPng((folder_ / "contact.png").string());
    ASSERT_TRUE(sheet.valid);
    EXPECT_GT(sheet.width, 1000);
    EXPECT_GT(sheet.height, 1000);
}

// Reads a font description the way the game does: "[HGEFONT]" first, then Bitmap and Char lines.
struct FontFile {
    std::string firstLine, bitmap;
    std::map<unsigned, std::vector<int>> chars; // code → x, y, width, height, pre, post
};

FontFile parseFont(const std::string& text) {
    FontFile font;
    std::istringstream in(text);
    std::string line;
    std::getline(in, font.firstLine);
    while (std::getline(in, line)) {
        char name[260] = {};
        unsigned code = 0;
        std::vector<int> v(6);
        if (std::sscanf(line.c_str(), "Bitmap = %259s", name) == 1) {
            font.bitmap = name;
        } else if (std::sscanf(line.c_str(), "Char = %x , %d , %d , %d , %d , %d , %d", &code,
                               &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]) == 7) {
            font.chars[code] = v;
        }
    }
    return font;
}

void checkFont(const fs::path& description, int minLine, int maxLine) {
    const FontFile font = parseFont(readAll(description));
    ASSERT_EQ(font.firstLine, "[HGEFONT]") << description;
    ASSERT_FALSE(font.bitmap.empty()) << description;
    const DecodedPng sheet = readPng((description.parent_path() / font.bitmap).string());
    ASSERT_TRUE(sheet.valid) << font.bitmap;
    for (unsigned code = 32; code < 256; ++code) {
        if (code >= 127 && code < 160) {
            continue;
        }
        const auto found = font.chars.find(code);
        ASSERT_NE(found, font.chars.end()) << description << " lacks code " << code;
        const std::vector<int>& c = found->second;
        EXPECT_GE(c[0], 0);
        EXPECT_GE(c[1], 0);
        EXPECT_LE(c[0] + c[2], sheet.width) << code;
        EXPECT_LE(c[1] + c[3], sheet.height) << code;
        EXPECT_GE(c[3], minLine) << code;
        EXPECT_LE(c[3], maxLine) << code;
        EXPECT_GT(c[4] + c[2] + c[5], 0) << "code " << code << " would not advance the pen";
    }
    // A letter has ink; the space has none.
    const auto inked = [&](unsigned code) {
        const std::vector<int>& c = font.chars.at(code);
        int ink = 0;
        for (int y = c[1]; y < c[1] + c[3]; ++y) {
            for (int x = c[0]; x < c[0] + c[2]; ++x) {
                ink += sheet.alpha(x, y) > 128 ? 1 : 0;
            }
        }
        return ink;
    };
    EXPECT_GT(inked('W'), 10);
    EXPECT_GT(inked(0xC9), 10); // É
    EXPECT_EQ(inked(' '), 0);
}

int textWidth(const FontFile& font, const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        const std::vector<int>& v = font.chars.at(c);
        width += v[4] + v[2] + v[5];
    }
    return width;
}

TEST_F(ArtOutputTest, FontsCoverLatin1AndTheirTextsFitTheScreen) {
    checkFont(graphics() / "font.fnt", 28, 32);
    checkFont(graphics() / "fontsmall.fnt", 15, 17);
    const FontFile large = parseFont(readAll(graphics() / "font.fnt"));
    const FontFile small = parseFont(readAll(graphics() / "fontsmall.fnt"));
    // Dialog heads stand centred on the 924-unit screen; leave a wide margin.
    EXPECT_LT(textWidth(large, "Last Level Complete"), 460);
    EXPECT_GT(textWidth(large, "Last Level Complete"), 200);
    EXPECT_LT(textWidth(large, "Input name of new game"), 520);
    // The maker link is underlined from x = 5 to 117.
    const int link = textWidth(small, "quorvane.example");
    EXPECT_GE(link, 90);
    EXPECT_LE(link, 125);
}

TEST_F(ArtOutputTest, TwoRunsWriteIdenticalFiles) {
    const fs::path second = freshFolder("b");
    std::string error;
    ASSERT_TRUE(buildArt(second.string(), (second / "contact.png").string(), &error)) << error;
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), folder_);
        EXPECT_EQ(readAll(entry.path()), readAll(second / relative)) << relative;
        ++compared;
    }
    EXPECT_EQ(compared, 51 + 4 + 1); // pictures, two fonts with their sheets, contact sheet
    fs::remove_all(second);
}

TEST(ArtBuilderTest, ReportsAnUnwritableFolder) {
    std::string error;
    EXPECT_FALSE(buildArt("/proc/quorvane-no-such-folder", "/proc/x.png", &error));
    EXPECT_FALSE(error.empty());
}

} // namespace

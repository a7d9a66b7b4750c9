// Packs as the packs tool writes them, read back through the resource files the engines use.

#include "platform/pack/pack_password.h"
#include "platform/pack/pack_writer.h"
#include "platform/pack/resource_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::uint32_t little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Makes entry number index of an archive (without comment) declare size bytes unpacked, in its
// local and its central header alike: a pack of a few KB that claims to unpack to gigabytes.
void declareSize(std::vector<std::uint8_t>& archive, std::size_t index, std::uint32_t size) {
    const std::size_t end = archive.size() - 22; // the end-of-directory record
    std::size_t central = little(archive, end + 16, 4);
    for (std::size_t i = 0; i < index; ++i) {
        central += 46 + little(archive, central + 28, 2) + little(archive, central + 30, 2) +
                   little(archive, central + 32, 2);
    }
    put32(archive, central + 24, size);
    put32(archive, little(archive, central + 42, 4) + 22, size);
}

class PackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("quorvane-pack-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root);
        std::mt19937 noise(7);
        big.resize(300000);
        for (std::size_t i = 0; i < big.size(); ++i) {
            big[i] = static_cast<std::uint8_t>(i % 3 == 0 ? noise() : i);
        }
        writeBytes(root / "src/graphics/Font.fnt", bytesOf("Char=\"A\",0,0,8,8,0,0\n"));
        writeBytes(root / "src/sound/move.wav", big);
        writeBytes(root / "src/empty.txt", {});
    }
    void TearDown() override { fs::remove_all(root); }

    // Runs the packs tool; its exit code.
    int tool(const std::string& arguments) {
        const std::string command = std::string(QUORVANE_BINARY_DIR) + "/bin/quorvane-pack " +
                                    arguments + " 2>/dev/null >" + (root / "out.txt").string();
        return std::system(command.c_str()) == 0 ? 0 : 1;
    }

    fs::path root;
    std::vector<std::uint8_t> big;
};

TEST_F(PackTest, ToolWritesIdenticalPacksThatReadBackWithTheGamePassword) {
    ASSERT_EQ(tool("create " + (root / "src").string() + " " + (root / "a.paq").string()), 0);
    ASSERT_EQ(tool("create " + (root / "src").string() + " " + (root / "b.paq").string()), 0);
    EXPECT_EQ(readBytes(root / "a.paq"), readBytes(root / "b.paq"));

    ResourceFiles files(root.string());
    std::string error;
    ASSERT_TRUE(files.attach("a.paq", packPassword(), &error)) << error;
    EXPECT_EQ(files.entryNames(),
              (std::vector<std::string>{"empty.txt", "graphics/Font.fnt", "sound/move.wav"}));
    EXPECT_EQ(files.read("sound/move.wav"), big);
    EXPECT_EQ(files.read("empty.txt"), std::vector<std::uint8_t>{});
    // The game's backslashes and any letter case find the entry.
    EXPECT_EQ(files.read("GRAPHICS\\font.FNT"), bytesOf("Char=\"A\",0,0,8,8,0,0\n"));
    EXPECT_EQ(files.read("graphics/Font.fnt"), files.read("graphics\\font.fnt"));
    EXPECT_FALSE(files.read("graphics\\missing.fnt").has_value());

    ASSERT_EQ(tool("extract " + (root / "a.paq").string() + " " + (root / "back").string()), 0);
    EXPECT_EQ(readBytes(root / "back/sound/move.wav"), big);
    EXPECT_NE(tool("list " + (root / "a.paq").string() + " --password wrong"), 0);
}

TEST_F(PackTest, WrongPasswordTruncatedArchiveAndRandomBytesFailCleanly) {
    std::vector<PackEntry> entries;
    std::string error;
    ASSERT_TRUE(readFolderEntries((root / "src").string(), &entries, &error)) << error;
    std::vector<std::uint8_t> archive;
    ASSERT_TRUE(buildPack(entries, "secret", &archive, &error)) << error;
    writeBytes(root / "good.paq", archive);

    ResourceFiles files(root.string());
    EXPECT_FALSE(files.attach("good.paq", "Secret", &error));
    EXPECT_NE(error.find("good.paq"), std::string::npos);
    for (std::size_t keep :
         {archive.size() - 1, archive.size() / 2, std::size_t(30), std::size_t(0)}) {
        writeBytes(root / "cut.paq",
                   std::vector<std::uint8_t>(archive.begin(), archive.begin() + keep));
        EXPECT_FALSE(files.attach("cut.paq", "secret", &error)) << keep;
    }
    std::mt19937 noise(3);
    std::vector<std::uint8_t> junk(5000);
    for (auto& b : junk) {
        b = static_cast<std::uint8_t>(noise());
    }
    writeBytes(root / "junk.paq", junk);
    EXPECT_FALSE(files.attach("junk.paq", "secret", &error));
    EXPECT_FALSE(files.attach("absent.paq", "secret", &error));
    EXPECT_TRUE(files.entryNames().empty());

    // A flipped byte inside an entry's data is caught by its authentication code.
    std::vector<std::uint8_t> damaged = archive;
    damaged[archive.size() / 2] ^= 0x40;
    writeBytes(root / "damaged.paq", damaged);
    ASSERT_TRUE(files.attach("good.paq", "secret", &error)) << error;
    if (files.attach("damaged.paq", "secret", &error)) {
        EXPECT_FALSE(files.read("sound/move.wav").has_value());
    }
}

TEST_F(PackTest, NewestPackWinsThenTheProgramDirectory) {
    std::string error;
    ASSERT_TRUE(writePack((root / "old.paq").string(),
                          {{"a.txt", bytesOf("old")}, {"b.txt", bytesOf("b")}}, "p", &error));
    ASSERT_TRUE(writePack((root / "new.paq").string(), {{"A.TXT", bytesOf("new")}}, "p", &error));
    writeBytes(root / "loose/c.txt", bytesOf("loose"));
    ResourceFiles files(root.string());
    ASSERT_TRUE(files.attach("old.paq", "p", &error));
    ASSERT_TRUE(files.attach((root / "new.paq").string(), "p", &error));
    EXPECT_EQ(files.read("a.txt"), bytesOf("new"));
    EXPECT_EQ(files.read("b.txt"), bytesOf("b"));
    EXPECT_EQ(files.read("loose\\c.txt"), bytesOf("loose"));
}

TEST_F(PackTest, ADeclaredSizeBeyondTheLimitIsRefusedBeforeInflating) {
    std::vector<std::uint8_t> archive;
    std::string error;
    ASSERT_TRUE(
        buildPack({{"a.txt", bytesOf("aaaa")}, {"b.txt", bytesOf("bbbb")}}, "p", &archive, &error));
    const std::string tooLarge =
        "declares 1000000000 bytes, more than the " + std::to_string(largestResourceFile);

    // The first entry is checked at attach: the pack is refused at once, with the reason.
    std::vector<std::uint8_t> first = archive;
    declareSize(first, 0, 1000000000);
    writeBytes(root / "first.paq", first);
    ResourceFiles files(root.string());
    ASSERT_FALSE(files.attach("first.paq", "p", &error));
    EXPECT_NE(error.find("a.txt " + tooLarge), std::string::npos) << error;

    // Any other entry is refused when it is read.
    std::vector<std::uint8_t> second = archive;
    declareSize(second, 1, 1000000000);
    writeBytes(root / "second.paq", second);
    ASSERT_TRUE(files.attach("second.paq", "p", &error)) << error;
    EXPECT_EQ(files.read("a.txt"), bytesOf("aaaa"));
    std::string problem;
    EXPECT_FALSE(files.read("b.txt", &problem).has_value());
    EXPECT_EQ(problem, "b.txt " + tooLarge + " a file may hold");
    std::size_t size = 7;
    EXPECT_EQ(files.readAllocated("b.txt", &size), nullptr);
}

TEST_F(PackTest, AFileOfTheLimitLoadsAndOneByteMoreDoesNot) {
    const std::vector<std::uint8_t> zeros(largestResourceFile); // deflates to a few KB
    std::vector<std::uint8_t> over(largestResourceFile + 1);
    std::string error;
    ASSERT_TRUE(writePack((root / "zeros.paq").string(), {{"at.bin", zeros}, {"over.bin", over}},
                          "p", &error));
    over = {};
    EXPECT_LT(fs::file_size(root / "zeros.paq"), 100000u);
    ResourceFiles files(root.string());
    ASSERT_TRUE(files.attach("zeros.paq", "p", &error)) << error;
    EXPECT_EQ(files.read("at.bin"), zeros);
    std::size_t size = 0;
    std::uint8_t* bytes = files.readAllocated("at.bin", &size);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(size, largestResourceFile);
    EXPECT_EQ(bytes[size], 0) << "a 0 byte after the file, for text";
    std::free(bytes);
    std::string problem;
    EXPECT_FALSE(files.read("over.bin", &problem).has_value());
    EXPECT_NE(problem.find("over.bin declares " + std::to_string(largestResourceFile + 1)),
              std::string::npos)
        << problem;

    // The same holds for a file beside the program (a hole: it takes no disk space).
    writeBytes(root / "loose.bin", {});
    fs::resize_file(root / "loose.bin", largestResourceFile + 1);
    EXPECT_FALSE(files.read("loose.bin", &problem).has_value());
    EXPECT_NE(problem.find("more than the"), std::string::npos) << problem;
}

TEST(PackWriter, RefusesNamesThatCouldNotBeFoundOrEscapeTheFolder) {
    std::vector<std::uint8_t> archive;
    std::string error;
    EXPECT_FALSE(buildPack({{"a.png", {1}}, {"A.PNG", {2}}}, "p", &archive, &error));
    EXPECT_FALSE(buildPack({{"", {1}}}, "p", &archive, &error));
    EXPECT_FALSE(buildPack({{"/etc/x", {1}}}, "p", &archive, &error));
    EXPECT_FALSE(buildPack({{"graphics\\x", {1}}}, "p", &archive, &error));
    // Different content under the same name gives a different salt and so other bytes.
    std::vector<std::uint8_t> one, two;
    ASSERT_TRUE(buildPack({{"x", {1, 2, 3}}}, "p", &one, &error));
    ASSERT_TRUE(buildPack({{"x", {1, 2, 4}}}, "p", &two, &error));
    EXPECT_NE(std::vector<std::uint8_t>(one.begin() + 41, one.begin() + 57),
              std::vector<std::uint8_t>(two.begin() + 41, two.begin() + 57));
}

} // namespace

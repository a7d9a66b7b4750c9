#include "platform/pack/pack_password.h"
#include "platform/pack/pack_writer.h"
#include "presentation/sound_catalogue.h"
#include "support/headless_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

const char* const soundFiles[21] = {
    "logo.mp3",    "button.wav",   "move.wav",    "mark.wav",   "ball.wav",  "box.wav",
    "spike.wav",   "amoeba.mp3",   "destroy.wav", "mutace.wav", "arrow.mp3", "teleport.mp3",
    "gate.mp3",    "wall.mp3",     "door.mp3",    "morf.mp3",   "eat.mp3",   "bigamoeba.mp3",
    "lighton.mp3", "lightoff.mp3", "lighthot.mp3"};

const SoundHandle* handles(const SoundCatalogue& s) {
    return &s.soundLogo;
}

class SoundCatalogueTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("quorvane-sounds-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        headless().setProgramDirectory(folder.string());
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        HeadlessTest::TearDown();
    }

    // A sound pack holding every effect except the one named.
    void attachPackWithout(const std::string& missing) {
        std::vector<PackEntry> entries;
        for (const char* file : soundFiles) {
            if (missing != file) {
                entries.push_back({std::string("sound/") + file, {'R', 'I', 'F', 'F'}});
            }
        }
        std::string error;
        ASSERT_TRUE(writePack((folder / "Sound.paq").string(), entries, packPassword(), &error))
            << error;
        ASSERT_TRUE(engine->attachPack("Sound.paq", packPassword().c_str()));
    }

    std::filesystem::path folder;
};

} // namespace

static_assert(sizeof(SoundCatalogue) == 21 * sizeof(SoundHandle), "21 handles and nothing else");

TEST_F(SoundCatalogueTest, LoadsEveryFileInOrder) {
    attachPackWithout("");
    SoundCatalogue sounds;
    ASSERT_TRUE(loadSounds(*engine, sounds));
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(std::string("sound\\") + soundFiles[i], headless().soundName(handles(sounds)[i]))
            << "row " << i + 1;
    }
    EXPECT_EQ("sound\\mutace.wav", headless().soundName(sounds.soundMutation));
    EXPECT_EQ("sound\\morf.mp3", headless().soundName(sounds.soundMorph));
    EXPECT_EQ("sound\\lighthot.mp3", headless().soundName(sounds.soundLightHot));
}

TEST_F(SoundCatalogueTest, MissingGateStopsAfterTheFirstTwelve) {
    attachPackWithout("gate.mp3");
    SoundCatalogue sounds;
    EXPECT_FALSE(loadSounds(*engine, sounds));
    for (int i = 0; i < 12; ++i) {
        EXPECT_NE(0u, handles(sounds)[i]) << "row " << i + 1;
    }
    for (int i = 12; i < 21; ++i) {
        EXPECT_EQ(0u, handles(sounds)[i]) << "row " << i + 1;
    }
}

TEST_F(SoundCatalogueTest, NoPackFailsAtTheFirstSound) {
    SoundCatalogue sounds;
    EXPECT_FALSE(loadSounds(*engine, sounds));
    EXPECT_EQ(0u, sounds.soundLogo);
    EXPECT_EQ(0u, sounds.soundButton);
}

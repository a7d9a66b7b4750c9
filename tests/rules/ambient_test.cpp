// The hall's own life: torches, the pointer light, sparkles, blinking and big amoebas.

#include "rules/ambient.h"
#include "support/play_fixture.h"

namespace {

class AmbientTest : public PlayTest {
  protected:
    // A room with torches on its walls.
    void litRoom() {
        buildHall({"###########", "#.........#", "#.........#", "#.........#", "###########"});
        placeHallLights(play);
        clearRecordings();
    }

    int litTorches() {
        int lit = 0;
        for (PlayObject* torch : objects("halllightlightfire")) {
            lit += torch->lightRadius >= 380 ? 1 : 0;
        }
        return lit;
    }

    void holdLeftButton() { leftHeld = true; }
    void releaseLeftButton() { leftHeld = false; }
};

TEST_F(AmbientTest, TorchesStayDarkForASecondThenAllAreLitAt200) {
    litRoom();
    const int torches = static_cast<int>(objects("halllightlightfire").size());
    ASSERT_GE(torches, 2);
    while (clock <= 50) {
        frame();
    }
    EXPECT_EQ(litTorches(), 0);
    while (clock < 200) {
        frame();
    }
    for (PlayObject* torch : objects("halllightlightfire")) {
        torch->lightRadius = 379; // whatever the random phase did
    }
    clearRecordings();
    frame();
    EXPECT_EQ(litTorches(), torches);
    EXPECT_EQ(soundCount(SoundId::LightOn), torches);
    for (const PlayEvent& sound : sounds()) {
        EXPECT_EQ(sound.volume, 80);
        EXPECT_GE(sound.pitch, 0.6f);
        EXPECT_LT(sound.pitch, 1.4f);
    }
    for (PlayObject* torch : objects("halllightlightfire")) {
        EXPECT_LE(torch->lightRadius, 426);
    }
}

TEST_F(AmbientTest, RandomPhaseLightsTorchesOneByOne) {
    litRoom();
    while (clock < 200) {
        const int before = litTorches();
        frame();
        EXPECT_LE(litTorches(), before + 1);
    }
    EXPECT_GT(litTorches(), 0);
}

TEST_F(AmbientTest, HoldingTheButtonOnATorchSwitchesItEvery17AndAHalfTicks) {
    buildHall({"#####", "#...#", "#####"});
    createFireLight(play, centre(2), centre(0));
    PlayObject* torch = only("halllightlightfire");
    inputBlockedUntil = debounceInterval; // as a level start leaves it
    pointerX = torch->x + 12;
    pointerY = torch->y;
    holdLeftButton();
    while (clock < 18) {
        frame();
        EXPECT_EQ(torch->lightRadius, 379) << "blocked at clock " << clock;
    }
    frame(); // clock 18
    EXPECT_GE(torch->lightRadius, 380) << "lit, and flickering from the same frame";
    EXPECT_EQ(torch->lightColour, 0xFFF0F0A0u);
    EXPECT_EQ(lastSound(SoundId::LightOn)->volume, 90);
    while (clock < 36) {
        frame();
        EXPECT_GE(torch->lightRadius, 380);
    }
    frame(); // clock 36
    EXPECT_EQ(torch->lightRadius, 379);
    EXPECT_EQ(torch->lightColour, 0xFF101010u);
    EXPECT_EQ(lastSound(SoundId::LightOff)->volume, 60);

    releaseLeftButton();
    frames(5);
    pointerX = torch->x + 12.5f;
    holdLeftButton();
    clearRecordings();
    frames(40);
    for (const PlayEvent& sound : sounds()) {
        EXPECT_NE(sound.volume, 90) << "the pointer is off the torch";
        EXPECT_NE(sound.volume, 60);
    }
}

TEST_F(AmbientTest, MutationCellsBlinkEvery8TicksAndTorchesSparkEvery15) {
    addSpecial(2, 1, MutationSpike);
    buildHall({"#####", "#...#", "#####"});
    PlayObject* cell = only("hallmutacespike");
    frame(); // clock 0
    EXPECT_TRUE(cell->useColour);
    EXPECT_EQ(cell->colour, 0xFFFFA040u);
    frames(7);
    EXPECT_EQ(cell->colour, 0xFFFFA040u);
    frame(); // clock 8
    EXPECT_EQ(cell->colour, 0xFFFFFFFFu);

    createFireLight(play, centre(0), centre(0));
    only("halllightlightfire")->lightRadius = 380;
    clock = 300; // after the start sequence
    clearRecordings();
    for (int i = 0; i < 30; ++i) {
        frame();
    }
    EXPECT_EQ(effectCount(), 2) << "at clock 300 and 315";
}

TEST_F(AmbientTest, TeleportsSparkleEvery10Ticks) {
    addSpecial(1, 1, TeleportC);
    addSpecial(3, 1, TeleportC);
    buildHall({"#####", "#...#", "#####"});
    clock = 1;
    frames(20); // clocks 1 .. 20: sparkles at 10 and 20
    EXPECT_EQ(effectCount(), 4);
}

TEST_F(AmbientTest, BigAmoebaActsOnlyOnceMoreThanHalfGrown) {
    buildHall({"###########", "#b.b.b.b.b#", "#.........#", "#.........#", "#.........#",
               "#b.b.b.b.b#", "###########"});
    createBigAmoeba(play, centre(5), centre(3));
    PlayObject* big = only("hallbigamoeba");
    auto marked = [this] {
        int n = 0;
        for (PlayObject* ball : objects("hallitemball")) {
            n += ball->mark;
        }
        return n;
    };
    while (clock < 45) { // growth at clocks 0, 4, .. 44: twelve steps
        frame();
    }
    EXPECT_NEAR(big->scale, 0.49f, 1e-4);
    EXPECT_EQ(marked(), 0);
    EXPECT_EQ(big->rotation, 0);
    frames(4); // the thirteenth step at clock 48
    EXPECT_NEAR(big->scale, 0.53f, 1e-4);
    for (int i = 0; i < 400 && marked() == 0; ++i) {
        frame();
    }
    EXPECT_GT(marked(), 0);
}

TEST_F(AmbientTest, TuggedPiecesEndInTheBigAmoeba) {
    buildHall({"#########", "#.......#", "#.b.....#", "#.......#", "#########"});
    createBigAmoeba(play, centre(5), centre(2));
    only("hallbigamoeba")->scale = 1;
    clock = 1;
    for (int i = 0; i < 3000 && !objects("hallitemball").empty(); ++i) {
        frame();
    }
    EXPECT_TRUE(objects("hallitemball").empty());
    EXPECT_EQ(soundCount(SoundId::Destroy), 1);
}

TEST_F(AmbientTest, BigAmoebaPutsOutLitTorches) {
    buildHall({"#####", "#...#", "#####"});
    createFireLight(play, centre(2), centre(0));
    PlayObject* torch = only("halllightlightfire");
    createBigAmoeba(play, centre(2), centre(1));
    only("hallbigamoeba")->scale = 1;
    clock = 300;
    for (int i = 0; i < 2000; ++i) {
        if (objects("halllightlightfire").empty()) {
            break;
        }
        torch->lightRadius = 380; // relit at once, so only the amoeba darkens it
        frame();
        if (objects("halllightlightfire").empty()) {
            break;
        }
        if (torch->lightRadius == 379) {
            EXPECT_EQ(lastSound(SoundId::LightHot)->volume, 40);
            return;
        }
    }
    ADD_FAILURE() << "the torch was never put out";
}

} // namespace

// The hall's own life: torches, the pointer light, sparkles, blinking and big amoebas.

#include "rules/ambient.h"
#include "support/play_fixture.h"

namespace {

class AmbientTest : public PlayTest {
  protected:
    // A room with torches on its walls.
    void litRoom() {
        buildHall({"###########", "#.........#", "#.........#", "#.........#", "###########"});
        finishHallScene(game.hall);
        headless().clearRecordings();
    }

    static int litTorches() {
        int lit = 0;
        for (SceneObject* torch : objects("halllightlightfire")) {
            lit += torch->lightRadius >= 380 ? 1 : 0;
        }
        return lit;
    }

    void holdLeftButton() {
        headless().addEvent({0, InputEvent::Kind::KeyDown, 0, 0, keyLeftButton});
    }
    void releaseLeftButton() {
        headless().addEvent({0, InputEvent::Kind::KeyUp, 0, 0, keyLeftButton});
    }
};

TEST_F(AmbientTest, TorchesStayDarkForASecondThenAllAreLitAt200) {
    litRoom();
    const int torches = static_cast<int>(objects("halllightlightfire").size());
    ASSERT_GE(torches, 2);
    while (game.clock <= 50) {
        frame();
    }
    EXPECT_EQ(litTorches(), 0);
    while (game.clock < 200) {
        frame();
    }
    for (SceneObject* torch : objects("halllightlightfire")) {
        torch->lightRadius = 379; // whatever the random phase did
    }
    headless().clearRecordings();
    frame();
    EXPECT_EQ(litTorches(), torches);
    EXPECT_EQ(soundCount(game.sounds.soundLightOn), torches);
    for (const RecordedSound& sound : headless().sounds()) {
        EXPECT_EQ(sound.volume, 80);
        EXPECT_GE(sound.pitch, 0.6f);
        EXPECT_LT(sound.pitch, 1.4f);
    }
    for (SceneObject* torch : objects("halllightlightfire")) {
        EXPECT_LE(torch->lightRadius, 426);
    }
}

TEST_F(AmbientTest, RandomPhaseLightsTorchesOneByOne) {
    litRoom();
    while (game.clock < 200) {
        const int before = litTorches();
        frame();
        EXPECT_LE(litTorches(), before + 1);
    }
    EXPECT_GT(litTorches(), 0);
}

TEST_F(AmbientTest, PointerLightFollowsThePointerAfterTheFirstSecondInsideTheWindow) {
    buildHall({"#####", "#...#", "#####"});
    SceneObject* floor = objectAt("hallfloor", 2, 1);
    pointerX = centre(2);
    pointerY = centre(1);
    frame();
    EXPECT_EQ(floor->cornerColours[0] & 0x00FFFFFF, 0u) << "no light in the first second";
    game.clock = 51;
    frame();
    EXPECT_NE(floor->cornerColours[0] & 0x00FFFFFF, 0u);
    headless().addEvent({0, InputEvent::Kind::PointerLeave});
    frame();
    EXPECT_EQ(floor->cornerColours[0] & 0x00FFFFFF, 0u) << "pointer outside the window";
}

TEST_F(AmbientTest, HoldingTheButtonOnATorchSwitchesItEvery17AndAHalfTicks) {
    buildHall({"#####", "#...#", "#####"});
    createFireLight(game.hall, centre(2), centre(0));
    SceneObject* torch = only("halllightlightfire");
    game.inputBlockedUntil = game.debounceInterval; // as a level start leaves it
    pointerX = torch->x + 12;
    pointerY = torch->y;
    holdLeftButton();
    while (game.clock < 18) {
        frame();
        EXPECT_EQ(torch->lightRadius, 379) << "blocked at clock " << game.clock;
    }
    frame(); // clock 18
    EXPECT_GE(torch->lightRadius, 380) << "lit, and flickering from the same frame";
    EXPECT_EQ(torch->lightColour, 0xFFF0F0A0u);
    EXPECT_EQ(lastSound(game.sounds.soundLightOn)->volume, 90);
    while (game.clock < 36) {
        frame();
        EXPECT_GE(torch->lightRadius, 380);
    }
    frame(); // clock 36
    EXPECT_EQ(torch->lightRadius, 379);
    EXPECT_EQ(torch->lightColour, 0xFF101010u);
    EXPECT_EQ(lastSound(game.sounds.soundLightOff)->volume, 60);

    releaseLeftButton();
    frames(5);
    pointerX = torch->x + 12.5f;
    holdLeftButton();
    headless().clearRecordings();
    frames(40);
    for (const RecordedSound& sound : headless().sounds()) {
        EXPECT_NE(sound.volume, 90) << "the pointer is off the torch";
        EXPECT_NE(sound.volume, 60);
    }
}

TEST_F(AmbientTest, MutationCellsBlinkEvery8TicksAndTorchesSparkEvery15) {
    addSpecial(2, 1, MutationSpike);
    buildHall({"#####", "#...#", "#####"});
    SceneObject* cell = only("hallmutacespike");
    frame(); // clock 0
    EXPECT_TRUE(cell->useColour);
    EXPECT_EQ(cell->colour, 0xFFFFA040u);
    frames(7);
    EXPECT_EQ(cell->colour, 0xFFFFA040u);
    frame(); // clock 8
    EXPECT_EQ(cell->colour, 0xFFFFFFFFu);

    createFireLight(game.hall, centre(0), centre(0));
    only("halllightlightfire")->lightRadius = 380;
    game.clock = 300; // after the start sequence
    killAllEffects(game.effects);
    for (int i = 0; i < 30; ++i) {
        frame();
    }
    EXPECT_EQ(effectCount(game.effects), 2) << "at clock 300 and 315";
}

TEST_F(AmbientTest, TeleportsSparkleEvery10Ticks) {
    addSpecial(1, 1, TeleportC);
    addSpecial(3, 1, TeleportC);
    buildHall({"#####", "#...#", "#####"});
    game.clock = 1;
    frames(20); // clocks 1 .. 20: sparkles at 10 and 20
    EXPECT_EQ(effectCount(game.effects), 4);
}

TEST_F(AmbientTest, BigAmoebaActsOnlyOnceMoreThanHalfGrown) {
    buildHall({"###########", "#b.b.b.b.b#", "#.........#", "#.........#", "#.........#",
               "#b.b.b.b.b#", "###########"});
    createBigAmoeba(game.hall, centre(5), centre(3));
    SceneObject* big = only("hallbigamoeba");
    auto marked = [] {
        int n = 0;
        for (SceneObject* ball : objects("hallitemball")) {
            n += state(ball)->mark;
        }
        return n;
    };
    while (game.clock < 45) { // growth at clocks 0, 4, .. 44: twelve steps
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
    createBigAmoeba(game.hall, centre(5), centre(2));
    only("hallbigamoeba")->scale = 1;
    game.clock = 1;
    for (int i = 0; i < 3000 && !objects("hallitemball").empty(); ++i) {
        frame();
    }
    EXPECT_TRUE(objects("hallitemball").empty());
    EXPECT_EQ(soundCount(game.sounds.soundDestroy), 1);
}

TEST_F(AmbientTest, BigAmoebaPutsOutLitTorches) {
    buildHall({"#####", "#...#", "#####"});
    createFireLight(game.hall, centre(2), centre(0));
    SceneObject* torch = only("halllightlightfire");
    createBigAmoeba(game.hall, centre(2), centre(1));
    only("hallbigamoeba")->scale = 1;
    game.clock = 300;
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
            EXPECT_EQ(lastSound(game.sounds.soundLightHot)->volume, 40);
            return;
        }
    }
    ADD_FAILURE() << "the torch was never put out";
}

} // namespace

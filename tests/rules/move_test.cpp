// Launching pieces, sliding into walls, and the solved test that follows every spell of motion.

#include "shell/screens.h"
#include "support/play_fixture.h"

#include <filesystem>

namespace {

class MoveTest : public PlayTest {
  protected:
    void openRoom() {
        buildHall({"#########", "#.......#", "#.......#", "#...b...#", "#.......#", "#.......#",
                   "#########"});
    }
    HallObject* ball() { return state(only("hallitemball")); }
};

TEST_F(MoveTest, DragPicksTheMainAxisWithTiesGoingVertical) {
    openRoom();
    drag(centre(4), centre(3), centre(4) + 3, centre(3) + 3);
    EXPECT_EQ(ball()->moveX, 0);
    EXPECT_EQ(ball()->moveY, 4);
    EXPECT_EQ(ball()->stepsLeft, -1);
    runUntilRest();

    const SceneObject* piece = only("hallitemball");
    drag(piece->x, piece->y, piece->x + 3, piece->y + 2);
    EXPECT_EQ(ball()->moveX, 4);
    EXPECT_EQ(ball()->moveY, 0);
    runUntilRest();

    piece = only("hallitemball");
    drag(piece->x, piece->y, piece->x, piece->y - 0.5f);
    EXPECT_EQ(ball()->moveY, -4);
    EXPECT_EQ(soundCount(game.sounds.soundMove), 3);
    EXPECT_EQ(lastSound(game.sounds.soundMove)->volume, 60);
}

TEST_F(MoveTest, PressMustLieWithin23UnitsOfThePiece) {
    openRoom();
    drag(centre(4) + 23.5f, centre(3), centre(4) + 40, centre(3));
    EXPECT_EQ(ball()->moveX, 0);
    drag(centre(4) + 23, centre(3), centre(4) + 40, centre(3));
    EXPECT_EQ(ball()->moveX, 4);
}

TEST_F(MoveTest, ClicksAndDragsThatLaunchNothing) {
    openRoom();
    drag(centre(4), centre(3), centre(4), centre(3));      // no movement
    drag(centre(2), centre(2), centre(2) + 30, centre(2)); // empty floor
    EXPECT_EQ(ball()->moveX, 0);
    EXPECT_EQ(ball()->moveY, 0);
    EXPECT_EQ(soundCount(game.sounds.soundMove), 0);

    dragCell(4, 3, 1, 0);
    const SceneObject* piece = only("hallitemball");
    drag(piece->x, piece->y, piece->x, piece->y - 30); // it is still moving
    EXPECT_EQ(ball()->moveX, 4);
    EXPECT_EQ(ball()->moveY, 0);
}

TEST_F(MoveTest, ReleaseOnAnotherPieceStillLaunchesThePressedOne) {
    buildHall({"#######", "#b.x..#", "#######"});
    drag(centre(1), centre(1), centre(3), centre(1));
    EXPECT_EQ(state(only("hallitemball"))->moveX, 4);
    EXPECT_EQ(state(only("hallitembox"))->moveX, 0);
}

TEST_F(MoveTest, CorridorOfKFreeCellsTakes11KPlus1Frames) {
    for (int k : {0, 1, 3, 6}) {
        restart();
        std::string corridor = "#b" + std::string(static_cast<std::size_t>(k), '.') + "#";
        std::string wall(corridor.size(), '#');
        buildHall({wall.c_str(), corridor.c_str(), wall.c_str()});
        headless().clearRecordings();

        dragCell(1, 1, 1, 0);
        int frames = 1;
        while (ball()->moveX != 0 && frames < 1000) {
            frame();
            ++frames;
        }
        EXPECT_EQ(frames, 11 * k + 1) << "k = " << k;
        EXPECT_EQ(only("hallitemball")->x, centre(1 + k)) << "k = " << k;
        EXPECT_EQ(only("hallitemball")->y, centre(1));
        EXPECT_EQ(soundCount(game.sounds.soundWall), 1);
        EXPECT_EQ(soundCount(game.sounds.soundBall), 1);
        EXPECT_EQ(lastSound(game.sounds.soundWall)->volume, 25);
        EXPECT_EQ(lastSound(game.sounds.soundBall)->volume, 45);
    }
}

TEST_F(MoveTest, MarkedPiecesKnockSilently) {
    buildHall({"####", "#b.#", "####"});
    ball()->mark = 1;
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(only("hallitemball")->x, centre(2));
    EXPECT_EQ(soundCount(game.sounds.soundWall), 0);
    EXPECT_EQ(soundCount(game.sounds.soundBall), 0);
}

TEST_F(MoveTest, SpikesSpinWhileTheyMoveAndStopUpright) {
    buildHall({"#####", "#s..#", "#####"});
    dragCell(1, 1, 1, 0);
    EXPECT_NEAR(only("hallitemspike")->rotation, 0.15707963f, 1e-6);
    runUntilRest();
    EXPECT_EQ(only("hallitemspike")->rotation, 0);
}

class SolvedTest : public MoveTest {
  protected:
    // A ball one cell before its end.
    void oneMoveFromSolved() {
        buildHall({"#####", "#b.##", "#####"});
        createEnd(game.hall, centre(2), centre(1), PieceKind::Ball);
    }
};

TEST_F(SolvedTest, RestTestRunsInTheFrameAfterTheLastStop) {
    game.level = 5;
    oneMoveFromSolved();
    dragCell(1, 1, 1, 0);
    for (int i = 1; i < 12; ++i) {
        frame();
    }
    EXPECT_EQ(ball()->moveX, 0) << "stopped in the twelfth frame";
    EXPECT_FALSE(game.screens.shows(ScreenKind::LevelDone));
    EXPECT_EQ(soundCount(game.sounds.soundMark), 0);

    frame();
    EXPECT_TRUE(game.screens.shows(ScreenKind::LevelDone));
    EXPECT_FALSE(game.screens.shows(ScreenKind::LastLevel));
    EXPECT_EQ(soundCount(game.sounds.soundMark), 1);
    EXPECT_EQ(lastSound(game.sounds.soundMark)->volume, 70);
    EXPECT_EQ(lastSound(game.sounds.soundMark)->pan, soundPan(centre(2)));
    EXPECT_EQ(folder.read("Quorvane.sav"), game.gameName + "\r\n6\r\n");
    EXPECT_EQ(motionSeen, 0);
}

TEST_F(SolvedTest, Level98SavesLevel99AndLevel99SavesNothing) {
    game.level = 98;
    game.screens.push(makeMenuScreen());
    oneMoveFromSolved();
    dragCell(1, 1, 1, 0);
    runUntilRest();
    frame();
    EXPECT_TRUE(game.screens.shows(ScreenKind::LevelDone));
    EXPECT_FALSE(game.screens.shows(ScreenKind::Menu));
    EXPECT_EQ(folder.read("Quorvane.sav"), game.gameName + "\r\n99\r\n");

    std::filesystem::remove(folder.file("Quorvane.sav"));
    restart();
    game.level = 99;
    oneMoveFromSolved();
    dragCell(1, 1, 1, 0);
    runUntilRest();
    frame();
    EXPECT_TRUE(game.screens.shows(ScreenKind::LastLevel));
    EXPECT_FALSE(game.screens.shows(ScreenKind::LevelDone));
    EXPECT_FALSE(folder.exists("Quorvane.sav"));
}

TEST_F(SolvedTest, AnAmoebaNeverCoversAnEnd) {
    buildHall({"#######", "#b.x.S#", "#######"});
    createEnd(game.hall, centre(1), centre(1), PieceKind::Ball);
    createEnd(game.hall, centre(3), centre(1), PieceKind::Box);
    createEnd(game.hall, centre(5), centre(1), PieceKind::Spike);
    motionSeen = 1; // as after a move
    frame();
    EXPECT_FALSE(game.screens.shows(ScreenKind::LevelDone));
    EXPECT_EQ(motionSeen, 0);
}

TEST_F(SolvedTest, NoCheckWithoutMotion) {
    buildHall({"####", "#b.#", "####"});
    createEnd(game.hall, centre(1), centre(1), PieceKind::Ball);
    frames(3);
    EXPECT_FALSE(game.screens.shows(ScreenKind::LevelDone));
    motionSeen = 1; // left over from the previous hall: the first frame checks once
    frame();
    EXPECT_TRUE(game.screens.shows(ScreenKind::LevelDone));
}

} // namespace

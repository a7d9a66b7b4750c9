// Launching pieces, sliding into walls, and the solved test that follows every spell of motion.

#include "support/play_fixture.h"

namespace {

class MoveTest : public PlayTest {
  protected:
    void openRoom() {
        buildHall({"#########", "#.......#", "#.......#", "#...b...#", "#.......#", "#.......#",
                   "#########"});
    }
    PlayObject* ball() { return state(only("hallitemball")); }
};

TEST_F(MoveTest, DragPicksTheMainAxisWithTiesGoingVertical) {
    openRoom();
    drag(centre(4), centre(3), centre(4) + 3, centre(3) + 3);
    EXPECT_EQ(ball()->moveX, 0);
    EXPECT_EQ(ball()->moveY, 4);
    EXPECT_EQ(ball()->stepsLeft, -1);
    runUntilRest();

    const PlayObject* piece = only("hallitemball");
    drag(piece->x, piece->y, piece->x + 3, piece->y + 2);
    EXPECT_EQ(ball()->moveX, 4);
    EXPECT_EQ(ball()->moveY, 0);
    runUntilRest();

    piece = only("hallitemball");
    drag(piece->x, piece->y, piece->x, piece->y - 0.5f);
    EXPECT_EQ(ball()->moveY, -4);
    EXPECT_EQ(soundCount(SoundId::Move), 3);
    EXPECT_EQ(lastSound(SoundId::Move)->volume, 60);
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
    EXPECT_EQ(soundCount(SoundId::Move), 0);

    dragCell(4, 3, 1, 0);
    const PlayObject* piece = only("hallitemball");
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
        clearRecordings();

        dragCell(1, 1, 1, 0);
        int frames = 1;
        while (ball()->moveX != 0 && frames < 1000) {
            frame();
            ++frames;
        }
        EXPECT_EQ(frames, 11 * k + 1) << "k = " << k;
        EXPECT_EQ(only("hallitemball")->x, centre(1 + k)) << "k = " << k;
        EXPECT_EQ(only("hallitemball")->y, centre(1));
        EXPECT_EQ(soundCount(SoundId::Wall), 1);
        EXPECT_EQ(soundCount(SoundId::Ball), 1);
        EXPECT_EQ(lastSound(SoundId::Wall)->volume, 25);
        EXPECT_EQ(lastSound(SoundId::Ball)->volume, 45);
    }
}

TEST_F(MoveTest, MarkedPiecesKnockSilently) {
    buildHall({"####", "#b.#", "####"});
    ball()->mark = 1;
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(only("hallitemball")->x, centre(2));
    EXPECT_EQ(soundCount(SoundId::Wall), 0);
    EXPECT_EQ(soundCount(SoundId::Ball), 0);
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
        createEnd(play, centre(2), centre(1), PieceKind::Ball);
    }
};

TEST_F(SolvedTest, RestTestRunsInTheFrameAfterTheLastStop) {
    oneMoveFromSolved();
    dragCell(1, 1, 1, 0);
    for (int i = 1; i < 12; ++i) {
        frame();
    }
    EXPECT_EQ(ball()->moveX, 0) << "stopped in the twelfth frame";
    EXPECT_EQ(solvedCount(), 0);
    EXPECT_EQ(soundCount(SoundId::Mark), 0);

    frame();
    EXPECT_EQ(solvedCount(), 1);
    EXPECT_EQ(recorded.back().kind, EventKind::Sound) << "the mark sound follows the report";
    EXPECT_EQ(soundCount(SoundId::Mark), 1);
    EXPECT_EQ(lastSound(SoundId::Mark)->volume, 70);
    EXPECT_EQ(lastSound(SoundId::Mark)->pan, soundPan(centre(2)));
    EXPECT_EQ(play.motionSeen, 0);
}

TEST_F(SolvedTest, SolvedOnlyOncePerSpellOfMotion) {
    oneMoveFromSolved();
    dragCell(1, 1, 1, 0);
    runUntilRest();
    frames(20);
    EXPECT_EQ(solvedCount(), 1);
    dragCell(2, 1, -1, 0); // off the end and back is another spell
    runUntilRest();
    dragCell(1, 1, 1, 0);
    runUntilRest();
    frame();
    EXPECT_EQ(solvedCount(), 2);
}

TEST_F(SolvedTest, AnAmoebaNeverCoversAnEnd) {
    buildHall({"#######", "#b.x.S#", "#######"});
    createEnd(play, centre(1), centre(1), PieceKind::Ball);
    createEnd(play, centre(3), centre(1), PieceKind::Box);
    createEnd(play, centre(5), centre(1), PieceKind::Spike);
    play.motionSeen = 1; // as after a move
    frame();
    EXPECT_EQ(solvedCount(), 0);
    EXPECT_EQ(play.motionSeen, 0);
}

TEST_F(SolvedTest, NoCheckWithoutMotion) {
    buildHall({"####", "#b.#", "####"});
    createEnd(play, centre(1), centre(1), PieceKind::Ball);
    frames(3);
    EXPECT_EQ(solvedCount(), 0);
    play.motionSeen = 1; // left over from the previous hall: the first frame checks once
    frame();
    EXPECT_EQ(solvedCount(), 1);
}

} // namespace

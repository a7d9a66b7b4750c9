// The play state as a value: copies evolve alike, stepping one leaves the other alone, and the
// position hash tells positions apart.

#include "support/play_fixture.h"

namespace {

class PlayStateTest : public PlayTest {
  protected:
    // A ball sliding into an amoeba of its kind, two box amoebas sliding into each other (they
    // make a big amoeba), torches starting up.
    void busyHall() {
        buildHall({"###########", "#b.....B..#", "#.........#", "#X.......X#", "#.........#",
                   "###########"});
        placeHallLights(play);
        clock = 60; // the torches' start sequence runs
        dragCell(1, 1, 1, 0);
        dragCell(1, 3, 1, 0);
        dragCell(9, 3, -1, 0);
    }

    bool eating() {
        for (PlayObject* piece : objects("hallitem")) {
            if (piece->state != 0) {
                return true;
            }
        }
        return false;
    }

    // Frames until the meal and the big amoeba's growth are both under way.
    void runIntoTheThickOfIt() {
        for (int i = 0; i < 300 && !(eating() && !objects("hallbigamoeba").empty()); ++i) {
            frame();
        }
        ASSERT_TRUE(eating());
        ASSERT_EQ(objects("hallbigamoeba").size(), 1u);
        ASSERT_LT(objects("hallbigamoeba")[0]->scale, 1.0f) << "still growing";
        ASSERT_GT(clock, 50);
        ASSERT_LT(clock, 200);
    }

    // The same inputs for both: the pointer wanders, a torch click now and then, one move.
    static PlayInput inputFor(int i, float clock) {
        PlayInput input;
        input.clock = clock;
        input.pointerX = static_cast<float>(30 + 7 * i % 400);
        input.pointerY = 22;
        input.switchLight = i % 17 == 0;
        if (i == 40) {
            input.hasMove = true;
            input.move = cellMove(1, 3, Direction::Down);
        }
        return input;
    }
};

TEST_F(PlayStateTest, CopyInMotionEvolvesExactlyAsTheOriginal) {
    busyHall();
    runIntoTheThickOfIt();
    PlayState copy = play;
    ASSERT_EQ(copy, play);
    EXPECT_EQ(positionHash(copy), positionHash(play));
    PlayEvents originalEvents, copyEvents;
    for (int i = 0; i < 200; ++i) {
        const PlayInput input = inputFor(i, clock + static_cast<float>(i));
        stepPlay(play, input, originalEvents);
        stepPlay(copy, input, copyEvents);
        ASSERT_EQ(originalEvents.size(), copyEvents.size()) << "frame " << i;
        for (std::size_t e = 0; e < originalEvents.size(); ++e) {
            EXPECT_EQ(originalEvents[e].kind, copyEvents[e].kind);
            EXPECT_EQ(originalEvents[e].sound, copyEvents[e].sound);
            EXPECT_EQ(originalEvents[e].x, copyEvents[e].x);
            EXPECT_EQ(originalEvents[e].pitch, copyEvents[e].pitch);
        }
    }
    EXPECT_EQ(copy, play);
    EXPECT_EQ(positionHash(copy), positionHash(play));
}

TEST_F(PlayStateTest, SteppingACopyLeavesTheOriginalUntouched) {
    busyHall();
    runIntoTheThickOfIt();
    const PlayState before = play;
    PlayState copy = play;
    PlayEvents events;
    for (int i = 0; i < 30; ++i) {
        stepPlayFrame(copy, inputFor(i, 0), events);
    }
    EXPECT_EQ(play, before);
    EXPECT_NE(copy, play);
    EXPECT_NE(positionHash(copy), positionHash(play)) << "the pieces moved on";
}

TEST_F(PlayStateTest, AMoveFromACellRunsToRestAndIsReportedOnce) {
    buildHall({"#######", "#b....#", "#######"});
    createEnd(play, centre(5), centre(1), PieceKind::Ball);
    PlayInput input;
    input.hasMove = true;
    input.move = cellMove(1, 1, Direction::Right);
    stepPlayFrame(play, input, events);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].kind, EventKind::PieceLaunched);
    EXPECT_EQ(events[0].x, centre(1));
    int solved = 0, frames = 0;
    while (!allAtRest(play) && frames < 100) {
        stepPlayFrame(play, PlayInput{}, events);
        ++frames;
    }
    stepPlayFrame(play, PlayInput{}, events); // the rest test
    for (const PlayEvent& e : events) {
        solved += e.kind == EventKind::HallSolved ? 1 : 0;
    }
    EXPECT_EQ(frames, 44);
    EXPECT_EQ(solved, 1);
}

TEST_F(PlayStateTest, ADragAlongNeitherAxisIsNoMove) {
    PlayMove move;
    EXPECT_FALSE(dragMove(10, 10, 10, 10, &move));
    ASSERT_TRUE(dragMove(10, 10, 13, 13, &move));
    EXPECT_EQ(move.direction, Direction::Down) << "a tie goes to the vertical";
    ASSERT_TRUE(dragMove(10, 10, 5, 9, &move));
    EXPECT_EQ(move.direction, Direction::Left);
    EXPECT_EQ(move.x, 10);
    EXPECT_EQ(move.y, 10) << "the press point picks the piece";
}

} // namespace

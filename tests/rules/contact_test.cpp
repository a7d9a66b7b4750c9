// What a moving piece does to the pieces and elements it runs into.

#include "support/play_fixture.h"

#include <string>

namespace {

class ContactTest : public PlayTest {
  protected:
    // One row of cells between walls, at hall row 1.
    void corridor(const std::string& row) {
        const std::string wall(row.size(), '#');
        buildHall({wall.c_str(), row.c_str(), wall.c_str()});
    }
    // A piece's x as a cell index, or -1 when it is not on a cell centre of row 1.
    static int cellOf(const PlayObject* object) {
        if (object == nullptr || object->y != centre(1)) {
            return -1;
        }
        const int cell = static_cast<int>(object->x) / 44;
        return object->x == centre(cell) ? cell : -1;
    }
};

TEST_F(ContactTest, BallPushesARestingBallOn) {
    corridor("#b.b...#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    const auto balls = objects("hallitemball");
    ASSERT_EQ(balls.size(), 2u);
    // The newest of equal names comes first: the pushed ball.
    EXPECT_EQ(cellOf(balls[0]), 6);
    EXPECT_EQ(cellOf(balls[1]), 2);
}

TEST_F(ContactTest, PushedBallStepsInTheSameFrameOnlyWhenItComesLaterInTheOrder) {
    corridor("#b.b...#");
    const auto balls = objects("hallitemball");
    PlayObject* pushed = balls[0]; // newer, so its entry comes before the pusher's
    dragCell(1, 1, 1, 0);
    while (pushed->moveX == 0) {
        frame();
    }
    EXPECT_EQ(pushed->x, centre(3)) << "its entry had passed: it starts in the next frame";

    restart();
    corridor("#...b.b#");
    const auto again = objects("hallitemball");
    PlayObject* newer = again[0]; // cell 6, first in the order
    PlayObject* older = again[1]; // cell 4, pushed by the newer one
    dragCell(6, 1, -1, 0);
    while (older->moveX == 0) {
        frame();
    }
    EXPECT_EQ(older->x, centre(4) - 4) << "later in the order: it steps in the same frame";
    EXPECT_EQ(newer->moveX, 0);
}

TEST_F(ContactTest, BallMovesABoxExactlyOneCell) {
    corridor("#b.x....#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemball")), 2);
    EXPECT_EQ(cellOf(only("hallitembox")), 4);
    EXPECT_EQ(soundCount(SoundId::Box), 1);
}

TEST_F(ContactTest, BoxBlockedAfterHalfACellStopsAtTheWall) {
    corridor("#b.x#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitembox")), 3);
    EXPECT_EQ(cellOf(only("hallitemball")), 2);
}

TEST_F(ContactTest, BallBreaksOnASpikeAndASpikeBreaksABall) {
    corridor("#b.s..#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_TRUE(objects("hallitemball").empty());
    EXPECT_EQ(cellOf(only("hallitemspike")), 3);
    EXPECT_EQ(soundCount(SoundId::Destroy), 1);
    EXPECT_EQ(lastSound(SoundId::Destroy)->volume, 60);
    EXPECT_GT(effectCount(), 0);

    restart();
    corridor("#s.b..#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_TRUE(objects("hallitemball").empty());
    EXPECT_EQ(cellOf(only("hallitemspike")), 2) << "stops one step short";
}

TEST_F(ContactTest, TwoMovingPiecesBothBreak) {
    for (const char* row : {"#b....b#", "#b....x#", "#s....b#"}) {
        restart();
        corridor(row);
        dragCell(1, 1, 1, 0);
        dragCell(6, 1, -1, 0);
        runUntilRest();
        EXPECT_TRUE(objects("hallitem").empty()) << row;
    }
}

TEST_F(ContactTest, ItemHittingAnAmoebaOfAnotherKindPassesItsKindAndMotion) {
    corridor("#b.X...#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemball")), 2);
    EXPECT_TRUE(objects("hallitemamoebabox").empty());
    EXPECT_EQ(cellOf(only("hallitemamoebaball")), 6);
    EXPECT_EQ(soundCount(SoundId::Morph), 1);
}

TEST_F(ContactTest, AmoebaHittingAnItemPushesItAndTakesItsKind) {
    corridor("#X.b...#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemball")), 6);
    EXPECT_TRUE(objects("hallitemamoebabox").empty());
    EXPECT_EQ(cellOf(only("hallitemamoebaball")), 2);
}

TEST_F(ContactTest, AmoebaSwallowsAnItemOfItsKindIn100Frames) {
    corridor("#b.B..#");
    dragCell(1, 1, 1, 0);
    int frames = 1;
    while (!objects("hallitemball").empty() && frames < 500) {
        frame();
        ++frames;
    }
    // 11 frames to first touch, then 100 frames of eating.
    EXPECT_EQ(frames, 111);
    EXPECT_EQ(soundCount(SoundId::Eat), 1);
    EXPECT_EQ(lastSound(SoundId::Eat)->volume, 50);
    PlayObject* amoeba = only("hallitemamoebaball");
    EXPECT_EQ(cellOf(amoeba), 3);
    EXPECT_EQ(amoeba->state, 0);
    EXPECT_EQ(soundCount(SoundId::Destroy), 0) << "eaten up, not broken";
}

TEST_F(ContactTest, MovingAmoebaEatsAPieceOfItsKind) {
    corridor("#B.b..#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_TRUE(objects("hallitemball").empty());
    PlayObject* amoeba = only("hallitemamoebaball");
    ASSERT_NE(amoeba, nullptr);
    EXPECT_EQ(amoeba->state, 0);
    EXPECT_EQ(amoeba->moveX, 0);
    EXPECT_EQ(soundCount(SoundId::Eat), 1);
    EXPECT_EQ(lastSound(SoundId::Eat)->volume, 60) << "a ball is eaten louder";
}

TEST_F(ContactTest, HalfEatenPieceBreaksOffWhenTheContactEnds) {
    corridor("#b...#");
    PlayObject* ball = only("hallitemball");
    ball->scale = 0.5f;
    ball->state = 1;
    frame();
    ASSERT_EQ(only("hallitemball"), ball) << "first frame without contact: 1 becomes 2";
    EXPECT_EQ(ball->state, 2);
    frame();
    EXPECT_TRUE(objects("hallitemball").empty());
    EXPECT_EQ(soundCount(SoundId::Destroy), 1);
}

TEST_F(ContactTest, TwoSlidingAmoebasMakeABigAmoebaBetweenThem) {
    corridor("#X...S#");
    dragCell(1, 1, 1, 0);
    dragCell(5, 1, -1, 0);
    runUntilRest();
    EXPECT_TRUE(objects("hallitemamoeba").empty());
    PlayObject* big = only("hallbigamoeba");
    ASSERT_NE(big, nullptr);
    // The box amoeba's entry comes first: at 138 it meets the spike amoeba still at 178.
    EXPECT_EQ(big->x, 158);
    EXPECT_EQ(big->y, centre(1));
    EXPECT_GT(big->scale, 0.0f);
    EXPECT_LT(big->scale, 0.1f);
    EXPECT_EQ(soundCount(SoundId::BigAmoeba), 1);
}

TEST_F(ContactTest, SlidingAmoebaSetsARestingOneGoing) {
    corridor("#X.S..#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemamoebabox")), 2);
    EXPECT_EQ(cellOf(only("hallitemamoebaspike")), 5);
}

TEST_F(ContactTest, MutationCellChangesAnItemAt24UnitsAndItCarriesOn) {
    addSpecial(3, 1, MutationBall);
    corridor("#x...#");
    dragCell(1, 1, 1, 0);
    for (int i = 1; i < 15; ++i) {
        frame();
    }
    ASSERT_EQ(objects("hallitemball").size(), 0u) << "28 units off: no overlap yet";
    frame();
    PlayObject* ball = only("hallitemball");
    ASSERT_NE(ball, nullptr);
    EXPECT_TRUE(objects("hallitembox").empty());
    EXPECT_EQ(centre(3) - ball->x, 24);
    EXPECT_EQ(ball->moveX, 4);
    EXPECT_EQ(soundCount(SoundId::Mutation), 1);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemball")), 4);
}

TEST_F(ContactTest, MutationCellLetsItsOwnKindPassAndTakesAnAmoebasKind) {
    addSpecial(3, 1, MutationBall);
    corridor("#b...#");
    PlayObject* ball = only("hallitemball");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(only("hallitemball"), ball);
    EXPECT_EQ(cellOf(ball), 4);

    restart();
    addSpecial(3, 1, MutationBall);
    corridor("#S...#");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemamoebaspike")), 4);
    EXPECT_TRUE(objects("hallmutaceball").empty());
    EXPECT_NE(only("hallmutacespike"), nullptr);
}

TEST_F(ContactTest, ArrowTurnsAPieceOnlyWhenCentred) {
    addSpecial(3, 4, ArrowUp);
    buildHall({"######", "#....#", "#....#", "#....#", "#b...#", "######"});
    PlayObject* ball = only("hallitemball");
    dragCell(1, 4, 1, 0);
    while (ball->x < centre(3)) {
        EXPECT_EQ(ball->moveX, 4);
        frame();
    }
    EXPECT_EQ(ball->x, centre(3));
    EXPECT_EQ(ball->moveX, 0);
    EXPECT_EQ(ball->moveY, -4);
    EXPECT_EQ(soundCount(SoundId::Arrow), 1);
    runUntilRest();
    EXPECT_EQ(ball->x, centre(3));
    EXPECT_EQ(ball->y, centre(1));

    // Moving its way over it again still plays the arrow.
    dragCell(3, 1, 0, 1);
    runUntilRest();
    EXPECT_EQ(soundCount(SoundId::Arrow), 2);
    EXPECT_EQ(ball->y, centre(1)) << "sent back up by the arrow";
}

TEST_F(ContactTest, TeleportCarriesAPieceToItsPartnerUnlessOneRestsThere) {
    addSpecial(3, 1, TeleportA);
    addSpecial(2, 3, TeleportA);
    buildHall({"#######", "#b....#", "#######", "#.....#", "#######"});
    PlayObject* ball = only("hallitemball");
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(ball->x, centre(5));
    EXPECT_EQ(ball->y, centre(3));
    EXPECT_EQ(soundCount(SoundId::Teleport), 2);

    // Now a piece rests beside the other teleport's row; put one on it and go back.
    restart();
    addSpecial(3, 1, TeleportA);
    addSpecial(2, 3, TeleportA);
    buildHall({"#######", "#b....#", "#######", "#.x...#", "#######"});
    dragCell(1, 1, 1, 0);
    runUntilRest();
    EXPECT_EQ(cellOf(only("hallitemball")), 5) << "blocked: it slides over the teleport";
    EXPECT_EQ(soundCount(SoundId::Teleport), 0);
}

TEST_F(ContactTest, GateSendsBackEveryPieceButItsOwnItem) {
    struct Case {
        const char* row;
        const char* prefix;
        int endCell;
    };
    for (const Case& c : {Case{"#x....#", "hallitembox", 1}, Case{"#b....#", "hallitemball", 5},
                          Case{"#B....#", "hallitemamoebaball", 1}}) {
        restart();
        addSpecial(3, 1, GateBall);
        corridor(c.row);
        dragCell(1, 1, 1, 0);
        runUntilRest();
        EXPECT_EQ(cellOf(only(c.prefix)), c.endCell) << c.row;
    }
}

TEST_F(ContactTest, FullGrownBigAmoebaBreaksOrthogonalNeighboursOnly) {
    buildHall({"#######", "#.....#", "#.bxb.#", "#.s.s.#", "#.bxb.#", "#.....#", "#######"});
    PlayObject* big = nullptr;
    createBigAmoeba(play, centre(3), centre(3));
    big = only("hallbigamoeba");
    big->scale = 1;
    frame();
    EXPECT_EQ(objects("hallitembox").size(), 0u);
    EXPECT_EQ(objects("hallitemspike").size(), 0u);
    EXPECT_EQ(objects("hallitemball").size(), 4u) << "62.2 units off: out of reach";
    EXPECT_EQ(soundCount(SoundId::Destroy), 4);
}

} // namespace

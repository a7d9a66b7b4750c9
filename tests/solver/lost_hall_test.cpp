// The census of a hall at rest that can no longer be solved: dead positions built by hand are
// found lost, with what is short; positions that amoebas, mutation cells or close ends could
// still rescue are not, and neither is the start of any level.

#include "solver/lost_hall.h"
#include "support/play_fixture.h"

namespace {

class LostHallTest : public PlayTest {
  protected:
    // A hall of rows; ends are placed on the cells given.
    void hallWithEnds(std::initializer_list<const char*> rows,
                      std::initializer_list<std::pair<int, int>> ends, PieceKind kind) {
        buildHall(rows);
        addEnds(ends, kind);
    }
    void addEnds(std::initializer_list<std::pair<int, int>> ends, PieceKind kind) {
        for (const auto& [x, y] : ends) {
            createEnd(play, centre(x), centre(y), kind);
        }
    }
    void send(int x, int y, int dx, int dy) {
        dragCell(x, y, dx, dy);
        runUntilRest();
        frame(); // the rest test
    }
};

TEST_F(LostHallTest, ABallBrokenOnASpikeLeavesTwoBallEndsWithOneBall) {
    hallWithEnds({"#######", "#b...s#", "#.....#", "#b....#", "#######"}, {{3, 2}, {5, 3}},
                 PieceKind::Ball);
    EXPECT_FALSE(hallIsLost(play)) << "two balls for two ends";
    send(1, 1, 1, 0);
    ASSERT_EQ(objects("hallitemball").size(), 1u);
    const LostHall lost = findLostHall(play);
    EXPECT_TRUE(lost.lost);
    EXPECT_EQ(lost.kind, PieceKind::Ball);
    EXPECT_EQ(lost.endsNeeded, 2);
    EXPECT_EQ(lost.itemsAvailable, 1);
    EXPECT_EQ(describeLostHall(lost), "2 ends of kind ball need an item each, 1 could still "
                                      "cover them");
}

TEST_F(LostHallTest, AnAmoebaOfTheKindIsNoItemWithoutAMutationCell) {
    hallWithEnds({"#######", "#x.B..#", "#######"}, {{5, 1}}, PieceKind::Ball);
    const LostHall lost = findLostHall(play);
    EXPECT_TRUE(lost.lost) << "an amoeba never becomes an item, a box never becomes a ball";
    EXPECT_EQ(lost.kind, PieceKind::Ball);
    EXPECT_EQ(lost.itemsAvailable, 0);
}

TEST_F(LostHallTest, MutationCellsShareTheItemsButNotTheirNumber) {
    // Any item may turn into a box, but one item cannot cover a ball end and a box end.
    addSpecial(3, 1, MutationBox);
    hallWithEnds({"#######", "#b....#", "#.....#", "#.....#", "#######"}, {{5, 1}}, PieceKind::Box);
    addEnds({{5, 3}}, PieceKind::Ball);
    const LostHall lost = findLostHall(play);
    EXPECT_TRUE(lost.lost);
    EXPECT_EQ(lost.kind, PieceKind::None);
    EXPECT_EQ(lost.endsNeeded, 2);
    EXPECT_EQ(lost.itemsAvailable, 1);
}

TEST_F(LostHallTest, AnEndUnderABigAmoebaCanNeverBeCovered) {
    hallWithEnds({"#######", "#b....#", "#.....#", "#.....#", "#######"}, {{3, 3}},
                 PieceKind::Ball);
    const int big = createBigAmoeba(play, centre(3) + 10, centre(3));
    EXPECT_FALSE(hallIsLost(play)) << "a big amoeba just born is too small to reach";
    ::objectAt(play, big).scale = 1;
    const LostHall lost = findLostHall(play);
    EXPECT_TRUE(lost.lost);
    EXPECT_TRUE(lost.endSwallowed);
    EXPECT_EQ(describeLostHall(lost), "an end of kind ball lies under a big amoeba");

    ::objectAt(play, big).x = centre(4); // a cell away: an item might still rest on the end
    EXPECT_FALSE(hallIsLost(play));
}

TEST_F(LostHallTest, AMutationCellOfTheKindStillSuppliesIt) {
    addSpecial(2, 1, MutationBox);
    hallWithEnds({"######", "#b...#", "######"}, {{4, 1}}, PieceKind::Box);
    EXPECT_FALSE(hallIsLost(play));
    send(1, 1, 1, 0);
    EXPECT_EQ(solvedCount(), 1) << "the ball turned box on the way and covers the end";
}

TEST_F(LostHallTest, AnAmoebaCanStillTurnACellToTheMissingKind) {
    // Box ends, a ball and a box, and a spike cell: the amoeba takes the box's kind and gives it
    // to the cell, which then turns the ball into a second box.
    addSpecial(3, 3, MutationSpike);
    hallWithEnds({"#######", "#B...x#", "#.....#", "#b....#", "#######"}, {{1, 2}, {5, 3}},
                 PieceKind::Box);
    EXPECT_FALSE(hallIsLost(play));

    restart();
    addSpecial(3, 3, MutationSpike);
    hallWithEnds({"#######", "#S....#", "#.....#", "#b....#", "#######"}, {{5, 3}}, PieceKind::Box);
    EXPECT_TRUE(hallIsLost(play)) << "no box anywhere for the amoeba to take the kind from";
}

TEST_F(LostHallTest, EndsCloseEnoughToShareAnItemAreCountedOnce) {
    // Off the cells' centres one item could overlap two neighbouring ends, so one ball is
    // enough as far as counting can tell; ends two cells apart each need their own.
    hallWithEnds({"#######", "#b....#", "#######"}, {{3, 1}, {4, 1}}, PieceKind::Ball);
    EXPECT_FALSE(hallIsLost(play));
    addEnds({{1, 1}}, PieceKind::Ball);
    EXPECT_TRUE(hallIsLost(play));
}

TEST_F(LostHallTest, NoLevelStartIsLost) {
    for (const char* name : {"Tessmark", "abc"}) {
        for (int level = 1; level <= 99; level += 7) {
            restart();
            startPlay(play, hall, level, name);
            EXPECT_FALSE(hallIsLost(play))
                << name << " " << level << ": " << describeLostHall(findLostHall(play));
        }
    }
}

} // namespace

namespace {

class PushRecorder final : public PushObserver {
  public:
    void piecePushed(int x, int y, int direction, const HallGrid&) override {
        pushes.push_back(cellMove(x, y, static_cast<Direction>(direction)));
    }
    std::vector<PlayMove> pushes;
};

// Makes the move and plays until every piece is at rest; true when the hall got solved.
bool playMove(PlayState& state, const PlayMove& move) {
    PlayEvents events;
    PlayInput input;
    input.hasMove = true;
    input.move = move;
    bool solved = false;
    for (int frame = 0; frame < 5000; ++frame) {
        stepPlayFrame(state, input, events);
        input.hasMove = false;
        for (const PlayEvent& e : events) {
            solved = solved || e.kind == EventKind::HallSolved;
        }
        if (frame > 0 && allAtRest(state) && state.motionSeen == 0) {
            break;
        }
    }
    return solved;
}

// Every position on the way of a scramble that, replayed, solves its hall can still be solved;
// none of them may be called lost.
TEST(LostHallReplayTest, NoPositionOnTheWayToASolutionIsLost) {
    int solvedHalls = 0;
    for (const char* name : {"Tessmark", "abc"}) {
        for (int level = 1; level <= 12; ++level) {
            PlayState state;
            HallGrid hall;
            PushRecorder recorder;
            startPlay(state, hall, level, name, &recorder);
            std::vector<int> lostAfter; // pushes after which the census called it lost
            bool solved = false;
            for (std::size_t i = 0; i < recorder.pushes.size() && !solved; ++i) {
                solved = playMove(state, recorder.pushes[i]);
                if (hallIsLost(state)) {
                    lostAfter.push_back(static_cast<int>(i) + 1);
                }
            }
            solvedHalls += solved ? 1 : 0;
            EXPECT_TRUE(!solved || lostAfter.empty())
                << name << " " << level << " called lost after push " << lostAfter.front();
        }
    }
    EXPECT_GT(solvedHalls, 12) << "enough halls replay to a solution to tell";
}

} // namespace

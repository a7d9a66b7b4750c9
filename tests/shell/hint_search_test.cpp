// The hint's worker thread: it searches a copy of the position, a change of position stops it
// and drops what it found, and a new search or the end waits for the old thread.

#include "shell/hint_search.h"

#include "rules/hall_pieces.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

PlayState somePosition() {
    PlayState state;
    state.random.seed(7);
    createItem(state, 66, 66, PieceKind::Ball);
    createEnd(state, 110, 66, PieceKind::Ball);
    return state;
}

// Updates until the search has finished one way or the other (at most about 5 s).
void waitForResult(HintSearch& search, std::uint64_t generation) {
    for (int i = 0; i < 5000 && search.status() == HintSearch::Status::Searching; ++i) {
        std::this_thread::sleep_for(1ms);
        search.update(generation);
    }
}

// Blocks like a long search until it is told to stop, then answers anyway, as a search that
// finishes the step it was in might.
std::optional<HintMove> searchUntilStopped(const std::atomic<bool>& stop, std::atomic<bool>* saw) {
    while (!stop) {
        std::this_thread::sleep_for(1ms);
    }
    *saw = true;
    return HintMove{1, 1, Direction::Right};
}

TEST(HintSearchTest, SearchesACopyAndLeavesTheLiveStateAlone) {
    PlayState live = somePosition();
    const PlayState before = live;
    std::atomic<bool> liveChanged{false};
    const PlayState* seen = nullptr;
    bool stillAsBefore = false;
    HintSearch search;
    search.start(live, 3, [&](const PlayState& state, const std::atomic<bool>&) {
        while (!liveChanged) {
            std::this_thread::sleep_for(1ms);
        }
        seen = &state;
        stillAsBefore = state == before;
        return std::optional<HintMove>(HintMove{1, 1, Direction::Down});
    });
    createItem(live, 154, 66, PieceKind::Box); // the game plays on meanwhile
    const PlayState played = live;
    liveChanged = true;
    waitForResult(search, 3);
    ASSERT_EQ(search.status(), HintSearch::Status::Found);
    EXPECT_EQ(search.move(), (HintMove{1, 1, Direction::Down}));
    EXPECT_NE(seen, &live);
    EXPECT_TRUE(stillAsBefore) << "the search's position is its own";
    EXPECT_EQ(live, played) << "and the game's is the game's";
}

TEST(HintSearchTest, AChangeOfPositionStopsTheSearchAndDropsItsResult) {
    std::atomic<bool> sawStop{false};
    HintSearch search;
    search.start(somePosition(), 5, [&](const PlayState&, const std::atomic<bool>& stop) {
        return searchUntilStopped(stop, &sawStop);
    });
    search.update(5);
    EXPECT_EQ(search.status(), HintSearch::Status::Searching) << "the same position: it goes on";
    search.update(6); // a move was made
    EXPECT_EQ(search.status(), HintSearch::Status::Idle);
    for (int i = 0; i < 5000 && !sawStop; ++i) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(sawStop) << "the change of position set its stop flag";
    std::this_thread::sleep_for(20ms); // its answer is in
    search.update(6);
    EXPECT_EQ(search.status(), HintSearch::Status::Idle) << "its move is about an old position";

    // Cancelled directly (the history's listener), the same.
    sawStop = false;
    search.start(somePosition(), 7, [&](const PlayState&, const std::atomic<bool>& stop) {
        return searchUntilStopped(stop, &sawStop);
    });
    search.cancel();
    for (int i = 0; i < 5000 && !sawStop; ++i) {
        std::this_thread::sleep_for(1ms);
    }
    search.update(7);
    EXPECT_TRUE(sawStop);
    EXPECT_EQ(search.status(), HintSearch::Status::Idle);
}

TEST(HintSearchTest, ANewSearchAndTheEndStopTheOneRunning) {
    std::atomic<bool> firstStopped{false};
    {
        HintSearch search;
        search.start(somePosition(), 1, [&](const PlayState&, const std::atomic<bool>& stop) {
            return searchUntilStopped(stop, &firstStopped);
        });
        search.start(somePosition(), 2, [](const PlayState&, const std::atomic<bool>&) {
            return std::optional<HintMove>(HintMove{2, 2, Direction::Left});
        });
        EXPECT_TRUE(firstStopped);
        waitForResult(search, 2);
        EXPECT_EQ(search.move(), (HintMove{2, 2, Direction::Left}));

        firstStopped = false;
        search.start(somePosition(), 3, [&](const PlayState&, const std::atomic<bool>& stop) {
            return searchUntilStopped(stop, &firstStopped);
        });
    } // the destructor stops and joins it
    EXPECT_TRUE(firstStopped);
}

} // namespace

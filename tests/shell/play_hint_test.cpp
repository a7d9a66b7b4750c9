// The hint and the "can no longer be solved" line in the running game on the headless engine,
// on level 1 of Tessmark: a ball on (13, 10) with floor above it, and a ball on (10, 16) that
// the spike on (5, 16) breaks when it is sent left, which leaves one ball for two ball ends.

#include "hall/hall_grid.h"
#include "presentation/scene_layer.h"
#include "rules/play_move.h"
#include "shell/lost_line.h"
#include "shell/play_bar.h"
#include "shell/play_hint.h"
#include "support/game_fixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr std::uint32_t arrowColour = 0xFFFFFFFF;

class PlayHintTest : public HallInPlayTest {
  protected:
    // Sends the piece on the cell with the arrow key and lets it come to rest.
    PlayState sendToRest(int x, int y, int arrow) {
        PlayState before = send(x, y, arrow);
        runUntilRest();
        return before;
    }
    void press(int key) {
        tap(key);
        run(2);
    }

    // The hint's arrows drawn since the recordings were cleared that stand over the upper edge
    // of the piece at (x, y), pointing the way up; anywhere for x below 0.
    static int arrowsAbove(float x, float y) {
        const SpriteDefinition* arrow = findDefinition(*game.hallLayer, "hallarrow");
        int n = 0;
        for (const SpriteQuad& quad : headless().quads()) {
            if (arrow == nullptr || quad.texture != arrow->sprite->texture() ||
                quad.vertex[0].colour != arrowColour) {
                continue;
            }
            float cx = 0, cy = 0;
            for (const Vertex& v : quad.vertex) {
                cx += v.x * 0.25f;
                cy += v.y * 0.25f;
            }
            n += x < 0 || (std::abs(cx - x) < 1 && cy < y - 10 && cy > y - 44) ? 1 : 0;
        }
        return n;
    }
    static int arrowQuads() { return arrowsAbove(-1, -1); }
    static bool logged(const std::string& start) {
        const auto& log = headless().logLines();
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    }
    // Runs frames while the hint is being searched (at most about 5 s).
    void runWhileSearching() {
        for (int i = 0; i < 500 && game.hint.status() == HintSearch::Status::Searching; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            run(1);
        }
    }
};

TEST_F(PlayHintTest, HAsksTheSolverForAHintAndTheBarSaysWhenThereIsNone) {
    EXPECT_STREQ(hintButtonText(), "Hint");
    EXPECT_EQ(playBarButtonAt(225, 915), PlayBarButton::Hint);
    press('H');
    runWhileSearching();
    EXPECT_TRUE(logged("Hint asked: Tessmark 1"));
    ASSERT_EQ(game.hint.status(), HintSearch::Status::Found);
    const HintMove hint = game.hint.move();
    EXPECT_NE(pieceOnCell(game.play, hint.x, hint.y), -1) << "the hint moves a piece";
    EXPECT_FALSE(hintAvailable()) << "not again about the same position";

    // A search that finds nothing: the bar says so, until the position changes.
    game.hint.start(
        game.play, game.history.generation(),
        [](const PlayState&, const std::atomic<bool>&) { return std::optional<HintMove>{}; });
    runWhileSearching();
    EXPECT_EQ(game.hint.status(), HintSearch::Status::NotFound);
    EXPECT_STREQ(hintButtonText(), "No hint");
    EXPECT_FALSE(hintAvailable());
    sendToRest(hint.x, hint.y,
               hint.direction == Direction::Up     ? ::keyUp
               : hint.direction == Direction::Down ? ::keyDown
               : hint.direction == Direction::Left ? ::keyLeft
                                                   : ::keyRight);
    EXPECT_STREQ(hintButtonText(), "Hint") << "a new position, a new hint";
    clickAt(225, 915); // the bar's button
    run(2);
    runWhileSearching();
    EXPECT_EQ(game.hint.status(), HintSearch::Status::Found);
}

TEST_F(PlayHintTest, AHintShowsAsAnArrowOnItsPieceUntilThePieceMoves) {
    game.hint.start(game.play, game.history.generation(),
                    [](const PlayState&, const std::atomic<bool>&) {
                        return std::optional<HintMove>(HintMove{13, 10, Direction::Up});
                    });
    runWhileSearching();
    EXPECT_TRUE(logged("Hint: 13 10 up"));
    headless().clearRecordings();
    run(1);
    ASSERT_EQ(game.hint.status(), HintSearch::Status::Found);
    EXPECT_EQ(arrowsAbove(cellCentre(13), cellCentre(10)), 1);

    sendToRest(13, 10, ::keyUp);
    EXPECT_EQ(game.hint.status(), HintSearch::Status::Idle);
    headless().clearRecordings();
    run(1);
    EXPECT_EQ(arrowQuads(), 0);
}

TEST_F(PlayHintTest, AMoveOrAnUndoStopsASearchInProgress) {
    std::atomic<bool> stopped{false};
    auto waitForStop = [&](const PlayState&, const std::atomic<bool>& stop) {
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stopped = true;
        return std::optional<HintMove>(HintMove{13, 10, Direction::Up});
    };
    // Waits (at most about 5 s) for the search to see its stop flag, without stopping it.
    auto seesStop = [&] {
        for (int i = 0; i < 5000 && !stopped; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return stopped.load();
    };
    game.hint.start(game.play, game.history.generation(), waitForStop);
    run(10);
    EXPECT_EQ(game.hint.status(), HintSearch::Status::Searching) << "the game plays on meanwhile";
    EXPECT_STREQ(hintButtonText(), "Thinking...");
    sendToRest(13, 10, ::keyUp);
    EXPECT_TRUE(seesStop());
    run(1);
    EXPECT_EQ(game.hint.status(), HintSearch::Status::Idle) << "its move was about the old place";

    stopped = false;
    game.hint.start(game.play, game.history.generation(), waitForStop);
    run(2);
    press('U');
    EXPECT_TRUE(seesStop());
    headless().clearRecordings();
    run(1);
    EXPECT_EQ(game.hint.status(), HintSearch::Status::Idle);
    EXPECT_EQ(arrowQuads(), 0);
}

TEST_F(PlayHintTest, ABrokenBallShowsTheLineAndItsWordsTakeTheMoveBack) {
    EXPECT_FALSE(lostLineShown());
    sendToRest(13, 10, ::keyUp);
    EXPECT_FALSE(lostLineShown()) << "a move that loses nothing";
    const PlayState beforeLoss = sendToRest(10, 16, keyLeft);
    EXPECT_TRUE(lostLineShown());
    EXPECT_TRUE(logged("Hall can no longer be solved: 2 ends of kind ball need an item each"));

    // The words of the line, found along it.
    float undoX = -1, retryX = -1;
    for (float x = 0; x < game.baseWidth; x += 2) {
        const LostChoice choice = lostChoiceAt(x, 890);
        undoX = undoX < 0 && choice == LostChoice::Undo ? x + 8 : undoX;
        retryX = retryX < 0 && choice == LostChoice::TryAgain ? x + 8 : retryX;
    }
    ASSERT_GT(undoX, 0);
    ASSERT_GT(retryX, undoX);
    clickAt(undoX, 890);
    run(2);
    EXPECT_EQ(game.play, beforeLoss);
    EXPECT_FALSE(lostLineShown());

    sendToRest(10, 16, keyLeft);
    EXPECT_TRUE(lostLineShown());
    clickAt(retryX, 890);
    run(2);
    EXPECT_EQ(game.history.moves(), 0) << "tried again from the level's start";
    EXPECT_FALSE(lostLineShown());

    sendToRest(10, 16, keyLeft);
    press('R');
    EXPECT_FALSE(lostLineShown());
    run(20);    // a restart blocks input for a moment, as a level start does
    press('U'); // the restart taken back: the lost position again
    run(1);
    EXPECT_TRUE(lostLineShown());
}

} // namespace

// Undo, redo and restart through the game's frame loop on the headless engine: states compared
// with copies taken along the way, the move counter, and the bar along the bottom edge.

#include "shell/game_actions.h"
#include "shell/play_bar.h"
#include "shell/screens.h"
#include "support/game_fixture.h"

namespace {

// Level 1 of Tessmark: a ball on (13, 10) with floor to its left and above, a ball on (10, 16)
// that a spike on (5, 16) breaks when it is sent left.
class UndoPlayTest : public HallInPlayTest {
  protected:
    // Presses the key (with Control when control) and runs the frame it acts in.
    void press(int key, bool control = false) {
        if (control) {
            keyDown(keyControl);
            keyUp(keyControl, 1);
        }
        keyDown(key);
        keyUp(key, 1);
        run(1);
    }
};

TEST_F(UndoPlayTest, UndoAndRedoWalkBackAndForthThroughTheSameStates) {
    const PlayState beforeUp = send(13, 10, ::keyUp);
    runUntilRest();
    const PlayState beforeLeft = send(13, 8, ::keyLeft);
    run(40);
    const PlayState afterLeft = game.play; // forty frames after the launch
    runUntilRest();
    EXPECT_EQ(game.history.moves(), 2);

    press('Z', true);
    EXPECT_EQ(game.play, beforeLeft);
    EXPECT_EQ(game.history.moves(), 1);
    press('U');
    EXPECT_EQ(game.play, beforeUp);
    EXPECT_EQ(game.history.moves(), 0);
    press(keyBackspace);
    EXPECT_EQ(game.play, beforeUp) << "nothing before the level's start";

    press('Y', true);
    run(5);
    press('Y', true); // the second redo is the move to the left again
    run(40);
    EXPECT_EQ(game.play, afterLeft) << "the same result, frame for frame";
    EXPECT_EQ(game.history.moves(), 2);
}

TEST_F(UndoPlayTest, UndoWhileAPieceStillSlidesAndANewMoveDropsTheRedo) {
    send(13, 10, ::keyLeft);
    run(3);
    ASSERT_FALSE(allAtRest(game.play)) << "the first ball still slides";
    const PlayState beforeSecond = send(10, 16, ::keyRight);
    run(2);
    press('Z', true);
    EXPECT_EQ(game.play, beforeSecond);
    EXPECT_EQ(game.history.moves(), 1);
    EXPECT_TRUE(game.history.canRedo());

    runUntilRest();
    send(10, 16, ::keyUp); // a wall above: still a move
    EXPECT_FALSE(game.history.canRedo());
    EXPECT_EQ(game.history.moves(), 2);
}

TEST_F(UndoPlayTest, RestartIsAStepThatUndoTakesBack) {
    send(13, 10, ::keyUp);
    runUntilRest();
    const PlayState beforeRestart = game.play;
    press('R');
    EXPECT_EQ(game.history.moves(), 0);
    EXPECT_EQ(game.play, game.history.levelStart());
    run(20);
    press('Z', true);
    EXPECT_EQ(game.history.moves(), 1);
    EXPECT_EQ(game.play, beforeRestart);
    keyDown(keyShift);
    press('Z', true);
    keyUp(keyShift);
    EXPECT_EQ(game.play, game.history.levelStart()) << "the restart made again";
    EXPECT_EQ(game.history.moves(), 0);
}

TEST_F(UndoPlayTest, TheBarAlongTheBottomUndoesRedoesAndRestartsForTheMouse) {
    EXPECT_EQ(playBarButtonAt(300, 915), PlayBarButton::Undo);
    EXPECT_EQ(playBarButtonAt(370, 915), PlayBarButton::Redo);
    EXPECT_EQ(playBarButtonAt(450, 915), PlayBarButton::Restart);
    EXPECT_EQ(playBarButtonAt(300, 880), PlayBarButton::None) << "above the bar";
    const PlayState beforeUp = send(13, 10, ::keyUp);
    runUntilRest();
    clickAt(300, 915);
    run(2);
    EXPECT_EQ(game.play, beforeUp);
    EXPECT_EQ(game.history.moves(), 0);
    clickAt(370, 915);
    run(2);
    EXPECT_EQ(game.history.moves(), 1) << "redone";
    run(20);
    clickAt(450, 915);
    run(2); // the release restarts; that frame shows the start as it is
    EXPECT_EQ(game.play, game.history.levelStart()) << "restarted";
    EXPECT_TRUE(game.history.canUndo());

    run(20);
    moveTo(300, 915);
    keyDown(keyLeftButton, 1);
    moveTo(450, 915, 3);
    keyUp(keyLeftButton, 4);
    run(6);
    EXPECT_EQ(game.history.moves(), 0) << "a press on Undo let go on Restart does nothing";
    EXPECT_TRUE(game.history.canUndo());
}

TEST_F(UndoPlayTest, TheMovesOfASolutionAreTheLevelsBestForTheName) {
    game.history.recordMove(game.play, PlayMove{});
    game.history.recordMove(game.play, PlayMove{});
    levelSolved(1, game.history.moves());
    EXPECT_EQ(game.progressBook["Tessmark"].levels[1].bestMoves, 2);
    levelSolved(1, 5);
    EXPECT_EQ(game.progressBook["Tessmark"].levels[1].bestMoves, 2) << "the fewest stay";
    EXPECT_EQ(dialogRowText(topDialog(), "Head"), "Level Complete\nSolved in 5 moves");
}

} // namespace

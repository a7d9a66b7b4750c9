#include "shell/undo_history.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A position is a string; a move appends its letter.
using History = UndoHistory<std::string, char>;

struct Played {
    History history;
    std::string state;

    void move(char m) {
        history.recordMove(state, m);
        state += m;
    }
    void restart() {
        history.recordRestart(state);
        state.clear();
    }
    bool undo() {
        const History::Step* step = history.undo();
        if (step != nullptr) {
            state = step->before;
        }
        return step != nullptr;
    }
    bool redo() {
        const History::Step* step = history.redo();
        if (step == nullptr) {
            return false;
        }
        state = step->before;
        if (step->kind == History::StepKind::Move) {
            state += step->move;
        } else {
            state.clear();
        }
        return true;
    }
};

TEST(UndoHistoryTest, UndoAndRedoWalkTheStatesBackToTheStartAndForwardAgain) {
    Played p;
    p.history.reset();
    for (char m : std::string("abc")) {
        p.move(m);
    }
    EXPECT_EQ(p.history.moves(), 3);
    EXPECT_TRUE(p.undo());
    EXPECT_EQ(p.state, "ab");
    EXPECT_EQ(p.history.moves(), 2);
    EXPECT_TRUE(p.undo());
    EXPECT_TRUE(p.undo());
    EXPECT_EQ(p.state, "");
    EXPECT_FALSE(p.undo()) << "the level's start";
    EXPECT_EQ(p.history.moves(), 0);
    EXPECT_TRUE(p.redo());
    EXPECT_TRUE(p.redo());
    EXPECT_EQ(p.state, "ab");
    EXPECT_EQ(p.history.moves(), 2);
    EXPECT_TRUE(p.redo());
    EXPECT_FALSE(p.redo());
    EXPECT_EQ(p.state, "abc");
}

TEST(UndoHistoryTest, ANewMoveDropsTheRedoList) {
    Played p;
    p.move('a');
    p.move('b');
    p.undo();
    p.move('x');
    EXPECT_FALSE(p.history.canRedo());
    EXPECT_FALSE(p.redo());
    EXPECT_EQ(p.state, "ax");
    EXPECT_EQ(p.history.moves(), 2);
    EXPECT_EQ(p.history.steps(), 2u);
}

TEST(UndoHistoryTest, ARestartIsAStepThatUndoTakesBack) {
    Played p;
    p.move('a');
    p.move('b');
    p.restart();
    EXPECT_EQ(p.state, "");
    EXPECT_EQ(p.history.moves(), 0) << "counting starts again";
    p.move('c');
    EXPECT_EQ(p.history.moves(), 1);
    p.undo();
    p.undo();
    EXPECT_EQ(p.state, "ab") << "the restart undone";
    EXPECT_EQ(p.history.moves(), 2);
    p.redo();
    EXPECT_EQ(p.state, "");
    EXPECT_EQ(p.history.moves(), 0);
    p.redo();
    EXPECT_EQ(p.state, "c");
}

TEST(UndoHistoryTest, EveryChangeOfPositionRaisesTheGenerationAndCallsTheListener) {
    Played p;
    int calls = 0;
    p.history.setListener([&calls] { ++calls; });
    const std::uint64_t start = p.history.generation();
    p.move('a');
    p.undo();
    p.redo();
    p.restart();
    p.history.reset();
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(p.history.generation(), start + 5);
    EXPECT_FALSE(p.undo());
    EXPECT_FALSE(p.redo());
    EXPECT_EQ(calls, 5) << "a fresh level has nothing to undo or redo";
}

} // namespace

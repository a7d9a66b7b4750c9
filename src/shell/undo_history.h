#pragma once
// The undo list of a level, above the play state: before each move command the shell hands in a
// copy of the play state as it is (pieces may still be moving) with the command; undo gives that
// copy back, and redo gives it back together with the command, so that making the command again
// on the same state gives the same result. A restart is a step of its own. A new move drops
// whatever could have been redone. The list reaches back to the level's start without limit.
//
// The move counter counts the moves that lead to the current position: undone moves do not
// count, and a restart counts from 0 again (until it is undone).
//
// Every change of position (move, undo, redo, restart, a fresh level) raises generation() and
// calls the listener, so that work about a position (a hint being searched, say) can see that it
// is out of date and stop.

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

template <typename State, typename Command>
class UndoHistory {
  public:
    enum class StepKind { Move, Restart };

    struct Step {
        StepKind kind = StepKind::Move;
        State before;   // the play state just before the step
        Command move{}; // the command, for StepKind::Move
        int movesBefore = 0;
    };

    // Called after every change of position.
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // A fresh level: nothing to undo or redo, no moves.
    void reset() {
        steps_.clear();
        next_ = 0;
        moves_ = 0;
        changed();
    }

    // Before the move is made on before; whatever could be redone is dropped.
    void recordMove(State before, Command move) {
        push(Step{StepKind::Move, std::move(before), std::move(move), moves_});
        ++moves_;
        changed();
    }

    // Before a restart of the level from before.
    void recordRestart(State before) {
        push(Step{StepKind::Restart, std::move(before), Command{}, moves_});
        moves_ = 0;
        changed();
    }

    bool canUndo() const { return next_ > 0; }
    bool canRedo() const { return next_ < steps_.size(); }

    // The step taken back: its state is the one to go back to. Nothing at the level's start.
    const Step* undo() {
        if (!canUndo()) {
            return nullptr;
        }
        const Step& step = steps_[--next_];
        moves_ = step.movesBefore;
        changed();
        return &step;
    }

    // The step to make again: the caller puts its state back and, for a move, makes the move
    // again (for a restart, restarts). Nothing when there is nothing to redo.
    const Step* redo() {
        if (!canRedo()) {
            return nullptr;
        }
        const Step& step = steps_[next_++];
        moves_ = step.kind == StepKind::Move ? step.movesBefore + 1 : 0;
        changed();
        return &step;
    }

    int moves() const { return moves_; }
    std::uint64_t generation() const { return generation_; }
    std::size_t steps() const { return steps_.size(); }
    const std::vector<Step>& stepList() const { return steps_; }

  private:
    void push(Step step) {
        steps_.resize(next_); // a new step drops the redo list
        steps_.push_back(std::move(step));
        next_ = steps_.size();
    }
    void changed() {
        ++generation_;
        if (listener_) {
            listener_();
        }
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0; // steps_[0 .. next_) are done, the rest can be redone
    int moves_ = 0;
    std::uint64_t generation_ = 0;
    std::function<void()> listener_;
};

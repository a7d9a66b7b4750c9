#include "solver/hall_search.h"

#include "solver/end_distances.h"
#include "solver/position_moves.h"
#include "solver/position_store.h"

#include <deque>
#include <memory>
#include <queue>

namespace {

struct Open {
    int priority;
    int estimate;
    int node;
    bool operator<(const Open& other) const { // the queue pops the largest: invert
        if (priority != other.priority) {
            return priority > other.priority;
        }
        return estimate > other.estimate;
    }
};

// The positions waiting to be expanded, first in first out or by priority.
class OpenList {
  public:
    explicit OpenList(bool byPriority) : byPriority_(byPriority) {}
    bool empty() const { return byPriority_ ? heap_.empty() : fifo_.empty(); }
    void push(const Open& open) {
        if (byPriority_) {
            heap_.push(open);
        } else {
            fifo_.push_back(open.node);
        }
    }
    int pop() {
        if (byPriority_) {
            const int node = heap_.top().node;
            heap_.pop();
            return node;
        }
        const int node = fifo_.front();
        fifo_.pop_front();
        return node;
    }

  private:
    bool byPriority_;
    std::priority_queue<Open> heap_;
    std::deque<int> fifo_;
};

bool stopped(const SearchLimits& limits, SearchOutcome& outcome) {
    outcome.outOfTime = searchStopped(limits);
    return outcome.outOfTime;
}

// shutAtStart: the free ends shut off at the search's start; a partial goal shuts off no more.
bool reachesGoal(const HallPuzzle& puzzle, const std::uint8_t* key, const SearchLimits& limits,
                 const ShutEnds& shutAtStart) {
    if (limits.goal != nullptr) {
        return limits.goal->reached(key);
    }
    if (limits.endsToCover <= 0) {
        return isSolvedPosition(puzzle, key);
    }
    if (coveredEnds(puzzle, key) < limits.endsToCover ||
        (limits.endToCover >= 0 &&
         !isEndCovered(puzzle, key, static_cast<std::size_t>(limits.endToCover)))) {
        return false;
    }
    for (std::size_t e = 0; limits.keptEnds != nullptr && e < limits.keptEnds->size(); ++e) {
        if ((*limits.keptEnds)[e] != 0 && !isEndCovered(puzzle, key, e)) {
            return false;
        }
    }
    return shutsNoMore(puzzle, key, shutAtStart);
}

} // namespace

SearchOutcome searchMoves(const HallPuzzle& puzzle, const PositionKey& start,
                          const SearchLimits& limits) {
    SearchOutcome outcome;
    PositionStore store(start.size(), limits.memoryBytes);
    PositionMoves moves(puzzle);
    const bool byPriority = limits.weight > 0;
    const EndDistances* distances = nullptr;
    std::unique_ptr<EndDistances> owned;
    if (byPriority && limits.goal == nullptr) {
        owned = std::make_unique<EndDistances>(puzzle);
        distances = owned.get();
    }
    const ShutEnds shutAtStart = limits.endsToCover > 0
                                     ? shutEnds(puzzle, start.data(), limits.keepEndsReachable)
                                     : ShutEnds{};
    const auto estimateOf = [&](const std::uint8_t* key) {
        if (!byPriority) {
            return 0;
        }
        return limits.goal != nullptr ? limits.goal->estimate(key) : distances->estimate(key);
    };
    OpenList open(byPriority);
    bool added = false;
    open.push({0, 0, store.insert(start.data(), PositionStore::none, {}, &added)});
    PositionChildren children;
    for (int expanded = 0; !open.empty(); ++expanded) {
        if (expanded % 64 == 0 && stopped(limits, outcome)) {
            break;
        }
        const int node = open.pop();
        moves.expand(store.key(node), children, limits.keepPlacedItems, limits.movableCells);
        for (std::size_t c = 0; c < children.moves.size(); ++c) {
            const int child = store.insert(children.key(c), node, children.moves[c], &added);
            if (child == PositionStore::full) {
                outcome.outOfMemory = true;
                outcome.positions = store.size();
                return outcome;
            }
            if (!added) {
                continue;
            }
            if (reachesGoal(puzzle, children.key(c), limits, shutAtStart)) {
                outcome.solved = true;
                outcome.moves = store.pathTo(child);
                outcome.positions = store.size();
                return outcome;
            }
            const int estimate = estimateOf(children.key(c));
            open.push({store.depth(child) + limits.weight * estimate, estimate, child});
        }
    }
    outcome.positions = store.size();
    outcome.exhausted = !outcome.outOfTime;
    return outcome;
}

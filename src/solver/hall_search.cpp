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
    Open pop() {
        if (byPriority_) {
            const Open top = heap_.top();
            heap_.pop();
            return top;
        }
        const int node = fifo_.front();
        fifo_.pop_front();
        return {0, 0, node};
    }
    // Puts back a position popped last, to be expanded first again.
    void putBack(const Open& open) {
        if (byPriority_) {
            heap_.push(open);
        } else {
            fifo_.push_front(open.node);
        }
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

struct MoveSearch::State {
    State(const HallPuzzle& puzzle, const PositionKey& start, const SearchLimits& limits)
        // Each run lets the store take its own budget.
        : puzzle(puzzle), limits(limits), store(start.size(), 0), moves(puzzle),
          open(limits.weight > 0),
          shutAtStart(limits.endsToCover > 0
                          ? shutEnds(puzzle, start.data(), limits.keepEndsReachable)
                          : ShutEnds{}) {
        if (limits.weight > 0 && limits.goal == nullptr) {
            distances = std::make_unique<EndDistances>(puzzle);
        }
        bool added = false;
        open.push({0, 0, store.insert(start.data(), PositionStore::none, {}, &added)});
    }

    int estimateOf(const std::uint8_t* key) const {
        if (limits.weight == 0) {
            return 0;
        }
        return limits.goal != nullptr ? limits.goal->estimate(key) : distances->estimate(key);
    }

    const HallPuzzle& puzzle;
    SearchLimits limits;
    PositionStore store;
    PositionMoves moves;
    OpenList open;
    std::unique_ptr<EndDistances> distances;
    ShutEnds shutAtStart; // the free ends shut off at the start; a partial goal shuts off no more
    PositionChildren children;
    int expanded = 0;
};

MoveSearch::MoveSearch(const HallPuzzle& puzzle, const PositionKey& start,
                       const SearchLimits& limits)
    : state_(std::make_unique<State>(puzzle, start, limits)) {}

MoveSearch::~MoveSearch() = default;

SearchOutcome MoveSearch::run(std::size_t memoryBytes, SolverClock::time_point deadline) {
    State& s = *state_;
    s.store.allow(memoryBytes);
    SearchLimits limits = s.limits;
    limits.deadline = deadline;
    SearchOutcome outcome;
    while (!s.open.empty()) {
        if (s.expanded++ % 64 == 0 && stopped(limits, outcome)) {
            break;
        }
        const Open top = s.open.pop();
        s.moves.expand(s.store.key(top.node), s.children, limits.keepPlacedItems,
                       limits.movableCells);
        for (std::size_t c = 0; c < s.children.moves.size(); ++c) {
            bool added = false;
            const int child =
                s.store.insert(s.children.key(c), top.node, s.children.moves[c], &added);
            if (child == PositionStore::full) {
                // The children met so far are kept; a run with more memory meets the rest.
                s.open.putBack(top);
                outcome.outOfMemory = true;
                outcome.positions = s.store.size();
                return outcome;
            }
            if (!added) {
                continue;
            }
            if (reachesGoal(s.puzzle, s.children.key(c), limits, s.shutAtStart)) {
                outcome.solved = true;
                outcome.moves = s.store.pathTo(child);
                outcome.positions = s.store.size();
                return outcome;
            }
            const int estimate = s.estimateOf(s.children.key(c));
            s.open.push({s.store.depth(child) + limits.weight * estimate, estimate, child});
        }
    }
    outcome.positions = s.store.size();
    outcome.exhausted = !outcome.outOfTime;
    return outcome;
}

SearchOutcome searchMoves(const HallPuzzle& puzzle, const PositionKey& start,
                          const SearchLimits& limits) {
    return MoveSearch(puzzle, start, limits).run(limits.memoryBytes, limits.deadline);
}

#pragma once
// Searches the moves of a hall puzzle under the grid model: breadth first, which finds a
// shortest solution, or best first by moves made plus a weight times the estimate of moves to
// go, which reaches far deeper. Both stop at a time and a memory budget, or when told to.

#include "solver/hall_puzzle.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

using SolverClock = std::chrono::steady_clock;

// A goal other than a solved position, with its own estimate of the moves still to make.
class SearchGoal {
  public:
    virtual ~SearchGoal() = default;
    virtual bool reached(const std::uint8_t* key) const = 0;
    virtual int estimate(const std::uint8_t* key) const = 0;
};

struct SearchLimits {
    SolverClock::time_point deadline = SolverClock::time_point::max();
    std::size_t memoryBytes = std::size_t{192} << 20;
    int weight = 0; // 0 breadth first; otherwise moves + weight * estimate
    const std::atomic<bool>* cancel = nullptr;
    bool keepPlacedItems = false; // never push an item that stands on an end of its kind
    const std::vector<char>* movableCells = nullptr; // when given, push only pieces on these
    // A partial goal, for covering ends a few at a time: when above 0, a position with at least
    // this many ends covered, every end e with keptEnds[e] set among them (when given), and no
    // more free ends walled in by covered ones than at the start.
    int endsToCover = 0;
    const std::vector<char>* keptEnds = nullptr;
    // With a partial goal, also leave no more free ends stranded than at the start.
    bool keepEndsReachable = false;
    // With a partial goal, the end that must be among those covered; -1 for any.
    int endToCover = -1;
    // When given, the goal instead of a solved or partly solved position.
    const SearchGoal* goal = nullptr;
};

struct SearchOutcome {
    bool solved = false;
    std::vector<SolverMove> moves;
    int positions = 0;        // positions met
    bool outOfMemory = false; // the budget ran out
    bool outOfTime = false;   // the deadline passed, or the search was cancelled
    bool exhausted = false;   // every position the moves reach was met: none is solved
};

// The deadline has passed or the search was told to stop.
inline bool searchStopped(const SearchLimits& limits) {
    const bool cancelled = limits.cancel != nullptr && limits.cancel->load();
    return cancelled || SolverClock::now() >= limits.deadline;
}

// A share of the time left before the deadline.
inline SolverClock::time_point partOfTimeLeft(const SearchLimits& limits, double share) {
    const auto now = SolverClock::now();
    if (limits.deadline == SolverClock::time_point::max()) {
        return limits.deadline;
    }
    const auto left = std::max(limits.deadline - now, SolverClock::duration::zero());
    return now + std::chrono::duration_cast<SolverClock::duration>(left * share);
}

SearchOutcome searchMoves(const HallPuzzle& puzzle, const PositionKey& start,
                          const SearchLimits& limits);

// A search that can go on where it stopped: a run ends at the goal, at its memory budget, at its
// deadline or when every position is met, and a later run with a larger budget expands on from
// there, so a failing small search need not be done over by a larger one. The puzzle and the
// goal, where limits name one, must outlive it.
class MoveSearch {
  public:
    MoveSearch(const HallPuzzle& puzzle, const PositionKey& start, const SearchLimits& limits);
    MoveSearch(const MoveSearch&) = delete;
    MoveSearch& operator=(const MoveSearch&) = delete;
    ~MoveSearch();

    // Goes on within memoryBytes in all and until deadline; the rest of the limits stay as given
    // at the start, their memory and deadline unused.
    SearchOutcome run(std::size_t memoryBytes, SolverClock::time_point deadline);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

#pragma once
// A hint worked out beside the game: the search runs on a thread of its own from a copy of the
// play state, so the hall keeps being played and drawn meanwhile. The worker touches nothing
// but its copy, its stop flag and its result; the game looks at the result once per frame.
//
// A search is about one position, named by the history's generation. A change of position
// cancels it (its stop flag is set and the search is expected to give up soon); a result that
// arrives about a position that is no longer the current one is dropped.

#include "rules/hint_move.h"
#include "rules/play_state.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>

// The search: the next move from the position, or nothing when it found none in its budget or
// was stopped. It must give up soon after stop becomes true.
using HintSearchFn =
    std::function<std::optional<HintMove>(const PlayState&, const std::atomic<bool>&)>;

class HintSearch {
  public:
    enum class Status { Idle, Searching, Found, NotFound };

    HintSearch() = default;
    HintSearch(const HintSearch&) = delete;
    HintSearch& operator=(const HintSearch&) = delete;
    ~HintSearch() { finish(); }

    // Starts search on a copy of state, the position of generation. A search still running is
    // stopped, and waited for, first.
    void start(const PlayState& state, std::uint64_t generation, HintSearchFn search);

    // Stops a search in progress and forgets what was found; returns at once. The worker ends
    // by itself and is joined by update, start or finish.
    void cancel();

    // Once per frame: takes the result of a finished search, unless it is about another
    // position than currentGeneration, which drops it.
    void update(std::uint64_t currentGeneration);

    // Stops a search in progress and waits for its thread: before the level or the game ends.
    void finish();

    Status status() const { return status_; }
    // The hint; meaningful while status() is Found.
    const HintMove& move() const { return move_; }
    std::uint64_t generation() const { return generation_; }

  private:
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::optional<HintMove> result_; // written by the worker before done_, read after the join
    Status status_ = Status::Idle;
    HintMove move_;
    std::uint64_t generation_ = 0;
};

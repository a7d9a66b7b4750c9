#include "solver/end_by_end.h"

#include "solver/end_distances.h"
#include "solver/focused_cover.h"
#include "solver/position_moves.h"
#include "solver/route_cover.h"

#include <algorithm>
#include <random>

namespace {

// Memory of each small search.
constexpr std::size_t stepMemory = std::size_t{16} << 20;

// The ends a position leaves free.
std::vector<int> endsLeftFree(const HallPuzzle& puzzle, const PositionKey& key) {
    std::vector<int> ends;
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (!isEndCovered(puzzle, key.data(), e)) {
            ends.push_back(static_cast<int>(e));
        }
    }
    return ends;
}

enum class Freedom { KeepPlaced, PushPlaced, UncoverEnds };

// A small search for a position with one more end covered; false when it finds none.
bool coverOneMore(const HallPuzzle& puzzle, PositionKey& key, const SearchLimits& limits,
                  Freedom freedom, SearchOutcome& outcome) {
    std::vector<char> kept(puzzle.endCells.size(), 0);
    if (freedom != Freedom::UncoverEnds) {
        for (std::size_t e = 0; e < kept.size(); ++e) {
            kept[e] = isEndCovered(puzzle, key.data(), e) ? 1 : 0;
        }
    }
    SearchLimits part = limits;
    part.weight = 3;
    part.keepPlacedItems = freedom == Freedom::KeepPlaced;
    part.memoryBytes = std::min(limits.memoryBytes, stepMemory);
    part.keptEnds = &kept;
    part.endsToCover = coveredEnds(puzzle, key.data()) + 1;
    const SearchOutcome step = searchMoves(puzzle, key, part);
    outcome.positions += step.positions;
    if (!step.solved) {
        return false;
    }
    key = keyAfter(puzzle, key, step.moves);
    outcome.moves.insert(outcome.moves.end(), step.moves.begin(), step.moves.end());
    return true;
}

// Covers one more end by the first way that finds one, routes taking at most depth pushes.
bool coverNext(const HallPuzzle& puzzle, PositionKey& key, const SearchLimits& limits, int depth,
               SearchOutcome& outcome) {
    return coverByRoutes(puzzle, key, outcome, limits, depth) ||
           coverNearEnd(puzzle, key, outcome, limits) ||
           coverOneMore(puzzle, key, limits, Freedom::KeepPlaced, outcome) ||
           coverOneMore(puzzle, key, limits, Freedom::PushPlaced, outcome) ||
           coverOneMore(puzzle, key, limits, Freedom::UncoverEnds, outcome);
}

// The share of the time left that each try at repairing a stall may take.
constexpr double repairShare = 0.34;

// Ends of the order tried in turn at each step before any other end, and the memory their
// searches take unless the attempt says otherwise. Where the end cannot be covered yet, each way
// of covering it fails only once its search has filled its memory, and in halls of many ends
// such failures took most of an attempt's time; where it can, a small search mostly finds how.
constexpr int orderedTries = 2;
constexpr std::size_t orderedMemory = std::size_t{2} << 20;

// Covering in shuffled orders: the tries, the share of the time left they take together, and the
// fixed seed that makes the orders the same in every run.
constexpr int shuffledTries = 8;
constexpr double shuffleShare = 0.3;
constexpr std::mt19937::result_type shuffleSeed = 1;

struct Attempt {
    int depth;           // pushes a route takes at most
    bool keepsReachable; // each step first looks for a cover that strands no more free ends
    // When given, each step first covers one of the next free ends of this order, by searches
    // of at most endMemory.
    const std::vector<int>* order = nullptr;
    std::size_t endMemory = orderedMemory;
};

// Covers one of the first free ends of the attempt's order. An end no step could cover is left
// to the other ways from then on: trying it again at every step would cost the attempt its time.
bool coverInOrder(const HallPuzzle& puzzle, PositionKey& key, const SearchLimits& limits,
                  Attempt attempt, std::vector<char>& failed, SearchOutcome& outcome) {
    int tried = 0;
    for (int end : *attempt.order) {
        const std::size_t e = static_cast<std::size_t>(end);
        if (failed[e] != 0 || isEndCovered(puzzle, key.data(), e)) {
            continue;
        }
        SearchLimits targeted = limits;
        targeted.endToCover = end;
        targeted.memoryBytes = std::min(limits.memoryBytes, attempt.endMemory);
        if (coverNext(puzzle, key, targeted, attempt.depth, outcome)) {
            return true;
        }
        failed[e] = 1;
        if (++tried == orderedTries) {
            return false;
        }
    }
    return false;
}

// Where an attempt stopped short: the ends it left covered, how many free ends it stranded, and
// the moves it had made when each of its steps was done.
struct Stall {
    int covered = 0, stranded = 0;
    std::vector<std::size_t> steps;
};

// One attempt at covering every end.
SearchOutcome coverInAttempt(const HallPuzzle& puzzle, const PositionKey& start,
                             const SearchLimits& limits, Attempt attempt, Stall& stall) {
    SearchOutcome outcome;
    PositionKey key = start;
    SearchLimits guarded = limits;
    guarded.keepEndsReachable = true;
    std::vector<char> failed(puzzle.endCells.size(), 0);
    while (!isSolvedPosition(puzzle, key.data())) {
        const bool step =
            (attempt.order != nullptr &&
             coverInOrder(puzzle, key, limits, attempt, failed, outcome)) ||
            (attempt.keepsReachable && coverNext(puzzle, key, guarded, attempt.depth, outcome)) ||
            coverNext(puzzle, key, limits, attempt.depth, outcome);
        if (!step) {
            stall.covered = coveredEnds(puzzle, key.data());
            stall.stranded = strandedEnds(puzzle, key.data());
            return outcome;
        }
        stall.steps.push_back(outcome.moves.size());
    }
    outcome.solved = true;
    return outcome;
}

// The attempts so far: the one that covered the most ends, and every attempt's positions.
struct Attempts {
    SearchOutcome best;
    Stall stall{-1, 0, {}}; // before the first attempt, one that covers no end
    int positions = 0;

    void run(const HallPuzzle& puzzle, const PositionKey& start, const SearchLimits& limits,
             Attempt attempt) {
        Stall again;
        SearchOutcome outcome = coverInAttempt(puzzle, start, limits, attempt, again);
        positions += outcome.positions;
        const bool shorter =
            outcome.solved && (!best.solved || outcome.moves.size() < best.moves.size());
        if (shorter || (!best.solved && again.covered > stall.covered)) {
            best = std::move(outcome);
            stall = std::move(again);
        }
    }
    bool goOn(const SearchLimits& limits) const { return !best.solved && !searchStopped(limits); }

    // Covers again in shuffled orders, each try taking an equal part of a share of the time left.
    // Each cover can shut off an end that another order would have covered, and in many halls
    // only a few orders cover them all, or do it in fewer moves. Such a try is over in a fraction
    // of the time a stalling one takes, so many short tries beat a few long ones.
    void shuffle(const HallPuzzle& puzzle, const PositionKey& start, const SearchLimits& limits,
                 const std::vector<int>& order) {
        SearchLimits share = limits;
        share.deadline = partOfTimeLeft(limits, shuffleShare);
        std::mt19937 random(shuffleSeed);
        std::vector<int> mixed = order;
        for (int t = 0; t < shuffledTries && !searchStopped(share); ++t) {
            for (std::size_t i = mixed.size(); i > 1; --i) {
                std::swap(mixed[i - 1], mixed[random() % i]);
            }
            SearchLimits part = share;
            part.deadline = partOfTimeLeft(share, 1.0 / (shuffledTries - t));
            run(puzzle, start, part, {defaultRouteDepth, false, &mixed});
        }
    }

    // Goes back from the best stall a step at a time, then further and further, and tries again
    // from there covering first the ends left free: covered earlier, they can often be covered
    // after all, and the rest around them.
    void repair(const HallPuzzle& puzzle, const PositionKey& start, const SearchLimits& limits) {
        const std::vector<SolverMove> moves = best.moves;
        const std::vector<std::size_t> steps = stall.steps;
        const std::vector<int> freeEnds = endsLeftFree(puzzle, keyAfter(puzzle, start, moves));
        const int count = static_cast<int>(steps.size());
        for (int back = 1; back <= count && goOn(limits); back += std::max(1, back / 2)) {
            const auto made =
                static_cast<std::ptrdiff_t>(back == count ? 0 : steps[steps.size() - back - 1]);
            SearchLimits part = limits;
            part.deadline = partOfTimeLeft(limits, repairShare);
            Stall again;
            SearchOutcome outcome = coverInAttempt(
                puzzle, keyAfter(puzzle, start, {moves.begin(), moves.begin() + made}), part,
                {defaultRouteDepth, false, &freeEnds}, again);
            positions += outcome.positions;
            if (outcome.solved || again.covered > stall.covered) {
                outcome.moves.insert(outcome.moves.begin(), moves.begin(), moves.begin() + made);
                best = std::move(outcome);
                stall = std::move(again);
                return;
            }
        }
    }
};

} // namespace

std::vector<int> lastCoverOrder(const HallPuzzle& puzzle, const std::vector<PositionKey>& keys) {
    if (keys.empty()) {
        return {};
    }
    std::vector<std::pair<std::size_t, int>> covered; // (index of the last cover, end)
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        std::size_t t = keys.size() - 1;
        while (t > 0 && isEndCovered(puzzle, keys[t - 1].data(), e)) {
            --t;
        }
        covered.emplace_back(t, static_cast<int>(e));
    }
    std::sort(covered.begin(), covered.end());
    std::vector<int> order;
    for (const auto& [index, end] : covered) {
        order.push_back(end);
    }
    return order;
}

SearchOutcome coverEndByEnd(const HallPuzzle& puzzle, const PositionKey& start,
                            const SearchLimits& limits, const std::vector<int>& order) {
    Attempts attempts;
    if (!order.empty()) {
        attempts.run(puzzle, start, limits, {defaultRouteDepth, false, &order});
    }
    if (attempts.goOn(limits)) {
        // Where the order stalls, covering at each step whichever end a search finds first
        // often goes through; it goes before the slower tries in the order.
        attempts.run(puzzle, start, limits, {defaultRouteDepth, false});
    }
    if (!order.empty()) {
        if (attempts.goOn(limits)) {
            // Some ends take a large search to cover in their turn.
            attempts.run(puzzle, start, limits, {defaultRouteDepth, false, &order, stepMemory});
        }
        attempts.shuffle(puzzle, start, limits, order);
    }
    if (attempts.goOn(limits)) {
        // Each step takes the shortest cover it finds, and some choices leave the last ends out
        // of reach. Where the stall strands ends, the next attempt keeps them reachable;
        // otherwise it takes longer routes, whose other choices let the last ends be covered
        // in some halls.
        const Attempt next = attempts.stall.stranded > 0 ? Attempt{defaultRouteDepth, true}
                                                         : Attempt{2 * defaultRouteDepth, false};
        // Keeping ends reachable searches twice at each step where it fails; it leaves the caller
        // half the time left.
        SearchLimits part = limits;
        part.deadline = partOfTimeLeft(limits, next.keepsReachable ? 0.5 : 1);
        attempts.run(puzzle, start, part, next);
    }
    if (attempts.goOn(limits)) {
        attempts.repair(puzzle, start, limits);
    }
    SearchOutcome best = std::move(attempts.best);
    best.positions = attempts.positions;
    best.outOfTime = !best.solved && searchStopped(limits);
    return best;
}

#include "solver/route_cover.h"

#include "solver/end_distances.h"
#include "solver/piece_routes.h"

#include <algorithm>
#include <memory>

namespace {

// Items tried for an end once a piece stands beside it, nearest first.
constexpr int itemsPerEnd = 3;

struct Cover {
    std::vector<SolverMove> moves;
    PositionKey key;
};

class RouteCover {
  public:
    RouteCover(const HallPuzzle& puzzle, const PositionKey& key, int depth,
               const SearchLimits& limits)
        : puzzle_(puzzle), key_(key), routeDepth_(depth), model_(puzzle), distances_(puzzle),
          shutAtStart_(shutEnds(puzzle, key.data(), limits.keepEndsReachable)) {
        for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
            const int end = static_cast<int>(e);
            if (isEndCovered(puzzle, key.data(), e)) {
                kept_.push_back(end);
            } else if (limits.endToCover < 0 || end == limits.endToCover) {
                free_.push_back(end);
            }
        }
    }

    bool direct(Cover& cover);
    // A piece moved first, then an item routed onto the end, in fewer moves than cover has
    // when it has any.
    bool prepared(Cover& cover, const SearchLimits& limits);
    // An amoeba run over a mutation cell first, to give it its kind, then an item routed onto
    // any free end.
    bool mutated(Cover& cover, const SearchLimits& limits);
    int positions() const { return positions_; }

  private:
    const HallPuzzle& puzzle_;
    PositionKey key_;
    int routeDepth_;
    PositionMoves model_;
    EndDistances distances_;
    std::vector<int> kept_, free_;
    ShutEnds shutAtStart_;
    int positions_ = 0;

    bool onKeptEnd(const std::uint8_t* key, int cell) const;
    bool keepsCovered(const std::uint8_t* key) const;
    bool changesMutation(const std::uint8_t* key) const;
    bool acceptable(const std::uint8_t* key, int end) const;
    std::vector<int> loosePieces(const std::uint8_t* key, bool itemsOnly) const;
    struct Preparation {
        int pushes, end, piece, cell;
    };
    std::vector<Preparation> preparations();
    int firstFreeBeyond(int end, int d) const;
    bool bestDirect(const std::uint8_t* key, const std::vector<int>& items,
                    const std::vector<int>& ends, Cover& cover);
};

bool RouteCover::onKeptEnd(const std::uint8_t* key, int cell) const {
    for (int e : kept_) {
        if (puzzle_.endCells[static_cast<std::size_t>(e)] == cell &&
            isEndCovered(puzzle_, key, static_cast<std::size_t>(e))) {
            return true;
        }
    }
    return false;
}

bool RouteCover::keepsCovered(const std::uint8_t* key) const {
    return std::all_of(kept_.begin(), kept_.end(), [&](int e) {
        return isEndCovered(puzzle_, key, static_cast<std::size_t>(e));
    });
}

bool RouteCover::changesMutation(const std::uint8_t* key) const {
    for (std::size_t m = 0; m < puzzle_.mutations.size(); ++m) {
        if (mutationKind(puzzle_, key, static_cast<int>(m)) !=
            mutationKind(puzzle_, key_.data(), static_cast<int>(m))) {
            return true;
        }
    }
    return false;
}

// The ends covered before are still covered, end is covered too, and no more free ends are shut
// off than before.
bool RouteCover::acceptable(const std::uint8_t* key, int end) const {
    return isEndCovered(puzzle_, key, static_cast<std::size_t>(end)) && keepsCovered(key) &&
           shutsNoMore(puzzle_, key, shutAtStart_);
}

// The pieces that cover no end covered before: items, or with itemsOnly false amoebas too.
std::vector<int> RouteCover::loosePieces(const std::uint8_t* key, bool itemsOnly) const {
    std::vector<int> pieces;
    for (std::size_t i = 0; i < puzzle_.standing.size(); ++i) {
        const CellCode code = pieceAt(key, static_cast<int>(i));
        if ((isItem(code) || (!itemsOnly && isAmoeba(code))) &&
            !onKeptEnd(key, static_cast<int>(i))) {
            pieces.push_back(static_cast<int>(i));
        }
    }
    return pieces;
}

// The shortest route of one of items onto one of ends that keeps the position acceptable.
bool RouteCover::bestDirect(const std::uint8_t* key, const std::vector<int>& items,
                            const std::vector<int>& ends, Cover& cover) {
    PieceRoutes routes(puzzle_, model_);
    int best = -1;
    for (int item : items) {
        routes.explore(key, item, routeDepth_);
        positions_ += 1;
        for (int e : ends) {
            const int cell = puzzle_.endCells[static_cast<std::size_t>(e)];
            const CellCode code = puzzle_.endCodes[static_cast<std::size_t>(e)];
            const int pushes = routes.pushesTo(cell, code);
            if (pushes > 0 && (best < 0 || pushes < best) &&
                acceptable(routes.keyAt(cell, code), e)) {
                best = pushes;
                cover.moves = routes.movesTo(cell, code);
                const std::uint8_t* reached = routes.keyAt(cell, code);
                cover.key.assign(reached, reached + puzzle_.keySize);
            }
        }
    }
    return best > 0;
}

bool RouteCover::direct(Cover& cover) {
    return bestDirect(key_.data(), loosePieces(key_.data(), true), free_, cover);
}

// Where one piece may go first so that an item can then come to rest on a free end: off the end
// when it stands on it, or onto the first free cell beyond the end in a direction, where it stops
// an item running at the end from the other side (with the pieces between, if any).
std::vector<RouteCover::Preparation> RouteCover::preparations() {
    std::vector<Preparation> found;
    PieceRoutes routes(puzzle_, model_);
    for (int piece : loosePieces(key_.data(), false)) {
        routes.explore(key_.data(), piece, routeDepth_ - 1);
        positions_ += 1;
        for (int e : free_) {
            const int end = puzzle_.endCells[static_cast<std::size_t>(e)];
            if (end == piece) {
                for (std::size_t c = 0; c < puzzle_.standing.size(); ++c) {
                    const int pushes = routes.pushesTo(static_cast<int>(c), CellFloor);
                    if (pushes > 0 && pushes < routeDepth_ - 1) {
                        found.push_back({pushes, e, piece, static_cast<int>(c)});
                    }
                }
                continue;
            }
            for (int d = 0; d < 4; ++d) {
                const int cell = firstFreeBeyond(end, d);
                const int pushes = cell < 0 ? -1 : routes.pushesTo(cell, CellFloor);
                if (pushes > 0) {
                    found.push_back({pushes, e, piece, cell});
                }
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Preparation& a, const Preparation& b) {
        return a.pushes < b.pushes;
    });
    return found;
}

// The first standing cell without a piece from end on in direction d, or -1 when a solid cell
// comes first.
int RouteCover::firstFreeBeyond(int end, int d) const {
    const int cell = puzzle_.standing[static_cast<std::size_t>(end)];
    int x = cell / hallSize, y = cell % hallSize;
    for (;;) {
        x += pushStepX[d], y += pushStepY[d];
        const int next = insideHall(x, y) ? puzzle_.standingIndex[x * hallSize + y] : -1;
        if (next < 0 || pieceAt(key_.data(), next) == CellFloor) {
            return next;
        }
    }
}

bool RouteCover::prepared(Cover& cover, const SearchLimits& limits) {
    PieceRoutes routes(puzzle_, model_);
    bool found = false;
    for (const Preparation& p : preparations()) {
        const bool beaten =
            !cover.moves.empty() && static_cast<std::size_t>(p.pushes) + 1 >= cover.moves.size();
        if (beaten || searchStopped(limits)) {
            return found;
        }
        routes.explore(key_.data(), p.piece, p.pushes);
        const std::uint8_t* placed = routes.keyAt(p.cell, CellFloor);
        if (!keepsCovered(placed)) {
            continue;
        }
        const PositionKey between(placed, placed + puzzle_.keySize);
        const std::vector<SolverMove> first = routes.movesTo(p.cell, CellFloor);
        Cover rest;
        if (bestDirect(between.data(), distances_.nearestItems(between.data(), p.end, itemsPerEnd),
                       {p.end}, rest) &&
            (cover.moves.empty() || first.size() + rest.moves.size() < cover.moves.size())) {
            cover.moves = first;
            cover.moves.insert(cover.moves.end(), rest.moves.begin(), rest.moves.end());
            cover.key = rest.key;
            found = true;
        }
    }
    return found;
}

bool RouteCover::mutated(Cover& cover, const SearchLimits& limits) {
    PieceRoutes routes(puzzle_, model_);
    for (int piece : loosePieces(key_.data(), false)) {
        if (puzzle_.mutations.empty() || !isAmoeba(pieceAt(key_.data(), piece))) {
            continue;
        }
        routes.explore(key_.data(), piece, routeDepth_ - 1);
        positions_ += 1;
        for (const PieceRoutes::Reach& r : routes.reached()) {
            const std::uint8_t* changed = routes.keyAt(r.cell, r.code);
            if (searchStopped(limits)) {
                return false;
            }
            if (!changesMutation(changed) || !keepsCovered(changed)) {
                continue;
            }
            const PositionKey between(changed, changed + puzzle_.keySize);
            Cover rest;
            if (bestDirect(between.data(), loosePieces(between.data(), true), free_, rest)) {
                cover.moves = routes.movesTo(r.cell, r.code);
                cover.moves.insert(cover.moves.end(), rest.moves.begin(), rest.moves.end());
                cover.key = rest.key;
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool coverByRoutes(const HallPuzzle& puzzle, PositionKey& key, SearchOutcome& outcome,
                   const SearchLimits& limits, int depth) {
    auto cover = std::make_unique<RouteCover>(puzzle, key, depth, limits);
    // A route of two pushes or fewer is as short as a cover gets; longer ones may lose to a
    // piece moved first.
    Cover found;
    constexpr std::size_t shortRoute = 2;
    bool covered = cover->direct(found);
    if (!covered || found.moves.size() > shortRoute) {
        covered = cover->prepared(found, limits) || covered;
    }
    covered = covered || cover->mutated(found, limits);
    outcome.positions += cover->positions();
    if (!covered) {
        return false;
    }
    key = found.key;
    outcome.moves.insert(outcome.moves.end(), found.moves.begin(), found.moves.end());
    return true;
}

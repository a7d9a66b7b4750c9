#include "solver/path_shortcuts.h"

#include "solver/move_elimination.h"
#include "solver/path_index.h"
#include "solver/position_moves.h"
#include "solver/stretch_shortcuts.h"

namespace {

// The furthest position of the path beyond `from` that one push (two with deep) reaches.
PathShortcut bestShortcut(PositionMoves& moves, const PathIndex& index, const PositionKey& key,
                          int from, bool deep) {
    PathShortcut best;
    PositionChildren first, second;
    moves.expand(key.data(), first);
    for (std::size_t c = 0; c < first.moves.size(); ++c) {
        const int to = index.lastIndexOf(first.key(c));
        if (to > from + 1 && to > best.to) {
            best = {to, {first.moves[c]}};
        }
        if (!deep) {
            continue;
        }
        moves.expand(first.key(c), second);
        for (std::size_t d = 0; d < second.moves.size(); ++d) {
            const int to2 = index.lastIndexOf(second.key(d));
            // Two pushes must save more than one push reaching nearly as far.
            const int gain = best.moves.size() == 1 ? best.to + 1 : best.to;
            if (to2 > from + 2 && to2 > gain) {
                best = {to2, {first.moves[c], second.moves[d]}};
            }
        }
    }
    return best;
}

// One sweep along the path: jump over loops and take shortcuts; the moves of the new path.
std::vector<SolverMove> sweep(const HallPuzzle& puzzle, const FollowedPath& path, bool deep,
                              const SearchLimits& limits) {
    PositionMoves moves(puzzle);
    const PathIndex index(puzzle, path.keys);
    std::vector<SolverMove> shorter;
    const int end = static_cast<int>(path.keys.size()) - 1;
    int i = 0;
    while (i < end) {
        const PositionKey& key = path.keys[static_cast<std::size_t>(i)];
        i = index.lastIndexOf(key.data()); // cut the loop
        if (i >= end) {
            break;
        }
        PathShortcut cut;
        if (!searchStopped(limits)) {
            cut = bestShortcut(moves, index, path.keys[static_cast<std::size_t>(i)], i, deep);
        }
        if (cut.to < 0) {
            cut = {i + 1, {path.moves[static_cast<std::size_t>(i)]}};
        }
        shorter.insert(shorter.end(), cut.moves.begin(), cut.moves.end());
        i = cut.to;
    }
    return shorter;
}

} // namespace

FollowedPath followPushes(const HallPuzzle& puzzle, const PositionKey& start,
                          const std::vector<SolverMove>& pushes) {
    PositionMoves moves(puzzle);
    FollowedPath path;
    path.keys.push_back(start);
    PositionKey next(start.size());
    for (const SolverMove& push : pushes) {
        if (!moves.apply(path.keys.back().data(), push, next.data())) {
            continue;
        }
        path.moves.push_back(push);
        path.keys.push_back(next);
        if (isSolvedPosition(puzzle, next.data())) {
            path.solved = true;
            break;
        }
    }
    return path;
}

std::vector<SolverMove> shortenPath(const HallPuzzle& puzzle, const FollowedPath& path,
                                    const SearchLimits& limits) {
    // The next sweep needs the positions of the shorter path: the moves are played again. Sweeps
    // and leaving-outs take turns while either still shortens the path.
    FollowedPath current = path;
    for (bool shorter = true; shorter && !searchStopped(limits);) {
        shorter = false;
        for (bool deep : {false, true}) {
            const FollowedPath replayed =
                followPushes(puzzle, current.keys[0], sweep(puzzle, current, deep, limits));
            if (replayed.solved && replayed.moves.size() < current.moves.size()) {
                current = replayed;
                shorter = true;
            }
        }
        const FollowedPath dropped = dropNeedlessMoves(puzzle, current, limits);
        shorter = shorter || dropped.moves.size() < current.moves.size();
        current = dropped;
        if (!shorter) {
            // The costliest way last, once the cheap ones find nothing more.
            const FollowedPath stretched = shortenStretches(puzzle, current, limits);
            shorter = stretched.moves.size() < current.moves.size();
            current = stretched;
        }
    }
    return current.moves;
}

#pragma once
// Where each position of a path is met last, for the searches that look for a shorter way to a
// later position of the path; a solved position counts as the path's end.

#include "solver/hall_puzzle.h"

#include <string>
#include <unordered_map>
#include <vector>

// A shorter way to a later position of a path.
struct PathShortcut {
    int to = -1; // the index of the position reached, -1 for none
    std::vector<SolverMove> moves;
};

class PathIndex {
  public:
    PathIndex(const HallPuzzle& puzzle, const std::vector<PositionKey>& keys) : puzzle_(puzzle) {
        last_ = static_cast<int>(keys.size()) - 1;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            index_[textOf(keys[i].data())] = static_cast<int>(i);
        }
    }
    // The last index of key on the path, or -1.
    int lastIndexOf(const std::uint8_t* key) const {
        if (isSolvedPosition(puzzle_, key)) {
            return last_;
        }
        const auto found = index_.find(textOf(key));
        return found == index_.end() ? -1 : found->second;
    }

  private:
    const HallPuzzle& puzzle_;
    std::unordered_map<std::string, int> index_;
    int last_ = 0;

    std::string textOf(const std::uint8_t* key) const {
        return std::string(reinterpret_cast<const char*>(key),
                           static_cast<std::size_t>(puzzle_.keySize));
    }
};

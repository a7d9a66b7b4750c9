#pragma once
// Small hand-drawn puzzles for the solver's tests: a start picture and a goal picture in the
// hall pictures' characters, and special objects placed on floor cells.

#include "solver/hall_puzzle.h"
#include "support/hall_pictures.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

struct PictureSpecial {
    int x, y;
    CellCode code;
};

struct PicturePuzzle {
    HallPuzzle puzzle;
    PositionKey start;
};

inline PicturePuzzle puzzleFromPictures(std::initializer_list<std::string> start,
                                        std::initializer_list<std::string> goal,
                                        std::initializer_list<PictureSpecial> specials = {}) {
    auto hall = hallFromPicture(start);
    const auto solved = hallFromPicture(goal);
    int k = 0;
    for (const PictureSpecial& special : specials) {
        hall->specialX[k] = special.x;
        hall->specialY[k] = special.y;
        hall->specialCode[k] = special.code;
        ++k;
    }
    PicturePuzzle made;
    made.puzzle =
        makePuzzle(hall->grid, hall->specialX, hall->specialY, hall->specialCode, solved->grid);
    made.start = packPosition(made.puzzle, hall->grid, hall->specialCode);
    return made;
}

// Ball ends at the mouth (1,1) and the foot (1,3) of a corridor, whose pieces start draws: an
// item that covers the mouth first shuts the foot off.
inline PicturePuzzle corridorOfTwoEnds(std::initializer_list<std::string> start) {
    return puzzleFromPictures(start, {"#######", "#b....#", "#.#####", "#b#####", "#######"});
}

// The index of the end on cell (x, y), or -1.
inline int endAt(const HallPuzzle& puzzle, int x, int y) {
    for (std::size_t e = 0; e < puzzle.endCells.size(); ++e) {
        if (puzzle.standing[static_cast<std::size_t>(puzzle.endCells[e])] == x * hallSize + y) {
            return static_cast<int>(e);
        }
    }
    return -1;
}

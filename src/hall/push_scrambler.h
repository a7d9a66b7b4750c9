#pragma once
// The push scrambler: pushes the hall's pieces about with a model of the game's own motion, so
// that the places where they end up (where the ends are drawn) can be reached by the player with
// the same pushes. It works on the grid and the special-object table only.

#include "hall/game_random.h"
#include "hall/hall_grid.h"

#include <memory>

// Directions of a push.
constexpr int pushLeft = 0;  // -x
constexpr int pushRight = 1; // +x
constexpr int pushUp = 2;    // -y
constexpr int pushDown = 3;  // +y
// The step of each push direction on x and y.
constexpr int pushStepX[4] = {-1, 1, 0, 0};
constexpr int pushStepY[4] = {0, 0, -1, 1};

constexpr int slideUntilBlocked = -1;
// A push that meets more special objects than this is taken to run in a loop and is undone.
constexpr int maximumEncounters = 20;

// Told of every scramble push that took effect: one that was not undone and changed at least one
// grid cell, with the cell of the piece pushed, the direction and the hall as the push left it.
// It must not change anything.
class PushObserver {
  public:
    virtual ~PushObserver() = default;
    virtual void piecePushed(int x, int y, int direction, const HallGrid& hall) = 0;
};

// Pushes the piece at (x, y): steps -1 slides until blocked, k > 0 moves at most k cells. The
// grid is saved to the backup first; a push the model forbids (a spike running into a ball, or
// a loop) is undone from it. Returns false when the push was undone (or there is no piece at
// (x, y)); true when it ran to its end, even if nothing moved. A mutation cell whose kind an
// amoeba changed keeps the change even when the push is undone.
bool push(HallGrid& hall, int x, int y, int direction, int steps);

// Repeats passes times: a row-major scan pushing every piece it meets in a drawn direction. A
// piece moved to a cell later in the scan is met and pushed again in the same pass.
void scramble(HallGrid& hall, GameRandom& random, int passes, PushObserver* observer = nullptr);

// Pushes tried one after another from the same grid, each taken back before the next: for a
// search over the moves of a hall. The hall's backup grid must equal its grid before each run.
// Unlike the scramble, a trial follows play where an amoeba sets off from a mutation cell: the
// cell takes the amoeba's kind. The special objects must stay on their cells while it is used.
class TrialPush {
  public:
    explicit TrialPush(const HallGrid& hall);
    ~TrialPush();
    TrialPush(const TrialPush&) = delete;
    TrialPush& operator=(const TrialPush&) = delete;

    // Pushes the piece at (x, y) until it comes to rest. False when the model forbids the push;
    // it is then taken back already.
    bool run(HallGrid& hall, int x, int y, int direction);
    // Brings back the grid cells and special-object codes as they were before the last run.
    void takeBack(HallGrid& hall);
    // The cells the last run wrote, as x * hallSize + y; a cell may come more than once.
    int writtenCount() const;
    int writtenCell(int i) const;
    // The cell, x * hallSize + y, where the piece pushed in the last run came to rest: where it
    // handed its motion on to a piece it ran into, or where the push ended.
    int pushedRest() const;

  private:
    struct Model;
    std::unique_ptr<Model> model_;
};

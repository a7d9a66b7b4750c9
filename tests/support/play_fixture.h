#pragma once
// A fixture for the rules of play on a hall drawn as rows of text, without packs, an engine or a
// window: pieces are launched by scripted drags turned into moves as the shell turns them, frames
// are stepped with stepPlay, and what the frames report (sounds, effects, solved) is kept for
// the test to read.
//
// Row characters: '#' wall, '.' floor, ' ' void, 'w' wall beside a window, 'b' 'x' 's' ball,
// box and spike, 'B' 'X' 'S' amoebas of those kinds. Row 0 is the top row of the hall.

#include "hall/hall_grid.h"
#include "rules/hall_pieces.h"
#include "rules/hall_scene.h"
#include "rules/play_frame.h"
#include "rules/play_queries.h"
#include "support/hall_pictures.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

class PlayTest : public ::testing::Test {
  protected:
    void SetUp() override { restart(); }

    // Back to an empty hall with nothing recorded, for a second case in the same test.
    void restart() {
        play = PlayState{};
        play.random.seed(2024);
        // Objects made during a test must not move the ones a test holds.
        play.objects.reserve(4096);
        clearHall(hall);
        clock = 0;
        inputBlockedUntil = 0;
        leftHeld = false;
        clearRecordings();
    }

    static float centre(int cell) { return cellCentre(cell); }

    // Fills the grid from the rows.
    void fillGrid(std::initializer_list<const char*> rows) {
        int y = 0;
        for (const char* row : rows) {
            for (int x = 0; row[x] != 0 && x < hallSize; ++x) {
                hall.grid[x][y] = cellFromPicture(row[x]);
            }
            ++y;
        }
    }

    // Fills the grid and places the cells and special objects of the hall.
    void buildHall(std::initializer_list<const char*> rows) {
        fillGrid(rows);
        placeHallCells(play, hall, HallStyle{});
        placeSpecialObjects(play, hall);
    }

    // The first object with the prefix whose position is the centre of cell (x, y).
    PlayObject* objectAt(const std::string& prefix, int x, int y) {
        for (PlayObject* object : objects(prefix)) {
            if (object->x == centre(x) && object->y == centre(y)) {
                return object;
            }
        }
        return nullptr;
    }

    // A special object on a floor cell; call before buildHall.
    void addSpecial(int x, int y, CellCode code) {
        const int k = firstFreeSpecial(hall);
        hall.specialX[k] = x;
        hall.specialY[k] = y;
        hall.specialCode[k] = code;
    }

    // Every live object whose name begins with prefix, in the rules' order.
    std::vector<PlayObject*> objects(const std::string& prefix) {
        std::vector<PlayObject*> found;
        for (int slot : collectByName(play, namesWithPrefix(prefix))) {
            found.push_back(&::objectAt(play, slot));
        }
        return found;
    }

    PlayObject* only(const std::string& prefix) {
        auto found = objects(prefix);
        return found.size() == 1 ? found[0] : nullptr;
    }

    // What the rules keep of a piece lives in its object.
    static PlayObject* state(PlayObject* object) { return object; }

    static std::string nameOf(const PlayObject* object) {
        return std::string(nameText(object->name));
    }
    static std::string pictureOf(const PlayObject* object) {
        return shapeOf(object->picture).definition;
    }

    // A drag released this frame from (fromX, fromY) to (toX, toY), then the frame.
    void drag(float fromX, float fromY, float toX, float toY) {
        PlayMove move;
        hasMove = dragMove(fromX, fromY, toX, toY, &move);
        pendingMove = move;
        frame();
    }

    // A drag of 20 units from the centre of a cell.
    void dragCell(int x, int y, int dx, int dy) {
        drag(centre(x), centre(y), centre(x) + 20.0f * static_cast<float>(dx),
             centre(y) + 20.0f * static_cast<float>(dy));
    }

    // One frame as the game runs it: the light switch is the held left button, debounced.
    void frame() {
        PlayInput input;
        input.clock = clock;
        input.pointerX = pointerX;
        input.pointerY = pointerY;
        input.hasMove = hasMove;
        input.move = pendingMove;
        input.switchLight = leftHeld && inputBlockedUntil < clock;
        hasMove = false;
        stepPlay(play, input, events);
        for (const PlayEvent& e : events) {
            if (e.kind == EventKind::TorchSwitched) {
                inputBlockedUntil = clock + debounceInterval;
            }
            recorded.push_back(e);
        }
        clock += 1;
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }

    // Frames until no piece moves (at most limit); returns how many ran.
    int runUntilRest(int limit = 2000) {
        for (int i = 0; i < limit; ++i) {
            frame();
            if (allAtRest(play)) {
                return i + 1;
            }
        }
        return limit;
    }

    void clearRecordings() { recorded.clear(); }

    std::vector<PlayEvent> sounds() const { return recordedOf(EventKind::Sound); }

    int soundCount(SoundId sound) const {
        int n = 0;
        for (const PlayEvent& e : recorded) {
            n += e.kind == EventKind::Sound && e.sound == sound ? 1 : 0;
        }
        return n;
    }

    const PlayEvent* lastSound(SoundId sound) const {
        const PlayEvent* last = nullptr;
        for (const PlayEvent& e : recorded) {
            last = e.kind == EventKind::Sound && e.sound == sound ? &e : last;
        }
        return last;
    }

    int effectCount() const { return static_cast<int>(recordedOf(EventKind::Effect).size()); }
    int solvedCount() const { return static_cast<int>(recordedOf(EventKind::HallSolved).size()); }

    std::vector<PlayEvent> recordedOf(EventKind kind) const {
        std::vector<PlayEvent> found;
        for (const PlayEvent& e : recorded) {
            if (e.kind == kind) {
                found.push_back(e);
            }
        }
        return found;
    }

    static constexpr float debounceInterval = 17.5f; // 0.35 s in frame units

    PlayState play;
    HallGrid hall;
    PlayEvents events;               // of the last frame
    std::vector<PlayEvent> recorded; // since the last clearRecordings
    float clock = 0;
    float inputBlockedUntil = 0;
    bool leftHeld = false;
    float pointerX = 462, pointerY = 462;

  private:
    bool hasMove = false;
    PlayMove pendingMove;
};

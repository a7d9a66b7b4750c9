#pragma once
// A fixture for play through the headless engine with the real sprite and sound catalogues:
// halls are drawn as rows of text, pieces are launched by scripted drags, and frames are run
// the way the frame loop runs them (input, updateHall, clock).
//
// Row characters: '#' wall, '.' floor, ' ' void, 'w' wall beside a window, 'b' 'x' 's' ball,
// box and spike, 'B' 'X' 'S' amoebas of those kinds. Row 0 is the top row of the hall.

#include "hall/hall_grid.h"
#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/hall_scene.h"
#include "rules/hall_session.h"
#include "rules/play_feedback.h"
#include "rules/random_below.h"
#include "rules/update_hall.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "support/hall_pictures.h"
#include "support/headless_fixture.h"
#include "support/temp_folder.h"

#include <initializer_list>
#include <string>
#include <vector>

class PlayTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(ensureResources(*engine));
        prepareHallForPlay();
        clearHall(game.hall);
        seedRandomBelow(2024);
        motionSeen = 0;
        game.level = 1;
        savedProgressFileName = game.progressFileName;
        savedTempFileName = game.tempFileName;
        game.progressFileName = folder.file("Quorvane.sav");
        game.tempFileName = folder.file("Quorvane.tmp");
        game.progressBook.clear();
        headless().clearRecordings();
    }

    void TearDown() override {
        game.progressFileName = savedProgressFileName;
        game.tempFileName = savedTempFileName;
        game.level = 1;
        game.screens.clear();
        game.screens.forget();
        clearHallScene();
        game.cursorObject = nullptr;
        game.engine = nullptr;
        HeadlessTest::TearDown();
    }

    // The catalogues are loaded once per suite; the fonts must go while the engine lives.
    static void TearDownTestSuite() {
        releasePlayResources();
        loadedLayer() = nullptr;
    }

    // Back to an empty hall with nothing recorded, for a second case in the same test.
    void restart() {
        prepareHallForPlay();
        clearHall(game.hall);
        headless().clearRecordings();
    }

    static float centre(int cell) { return cellCentre(cell); }

    // Fills the grid from the rows.
    void fillGrid(std::initializer_list<const char*> rows) {
        int y = 0;
        for (const char* row : rows) {
            for (int x = 0; row[x] != 0 && x < hallSize; ++x) {
                game.hall.grid[x][y] = cellFromPicture(row[x]);
            }
            ++y;
        }
    }

    // Fills the grid and places the cells and special objects of the hall.
    void buildHall(std::initializer_list<const char*> rows) {
        fillGrid(rows);
        placeHallCells(game.hall, HallStyle{});
        placeSpecialObjects(game.hall);
    }

    // The first object with the prefix whose position is the centre of cell (x, y).
    static SceneObject* objectAt(const std::string& prefix, int x, int y) {
        for (SceneObject* object : objects(prefix)) {
            if (object->x == centre(x) && object->y == centre(y)) {
                return object;
            }
        }
        return nullptr;
    }

    // A special object on a floor cell; call before buildHall.
    void addSpecial(int x, int y, CellCode code) {
        const int k = firstFreeSpecial(game.hall);
        game.hall.specialX[k] = x;
        game.hall.specialY[k] = y;
        game.hall.specialCode[k] = code;
    }

    // Every object whose name begins with prefix, in the layer's name order.
    static std::vector<SceneObject*> objects(const std::string& prefix) {
        SceneLayer& layer = *game.hallLayer;
        std::vector<SceneObject*> found;
        const int n = collectObjectsByName(layer, prefix, false);
        for (int i = 0; i < n; ++i) {
            found.push_back(nameResultAt(layer, i));
        }
        return found;
    }

    static SceneObject* only(const std::string& prefix) {
        auto found = objects(prefix);
        return found.size() == 1 ? found[0] : nullptr;
    }

    static HallObject* state(const SceneObject* object) { return hallObjectOf(object); }

    // A drag released this frame from (fromX, fromY) to (toX, toY), then the frame.
    void drag(float fromX, float fromY, float toX, float toY) {
        game.pressPoint = {fromX, fromY};
        game.releasePoint = {toX, toY};
        game.dragState = 2;
        frame();
    }

    // A drag of 20 units from the centre of a cell.
    void dragCell(int x, int y, int dx, int dy) {
        drag(centre(x), centre(y), centre(x) + 20.0f * static_cast<float>(dx),
             centre(y) + 20.0f * static_cast<float>(dy));
    }

    void frame() {
        headless().beginInputFrame();
        updateHall(game.hall, game.frameTime, pointerX, pointerY);
        if (game.dragState == 2) {
            game.dragState = 0;
        }
        game.clock += 1;
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
            bool moving = false;
            for (SceneObject* piece : objects("hallitem")) {
                const HallObject* h = state(piece);
                moving = moving || (h != nullptr && (h->moveX != 0 || h->moveY != 0));
            }
            if (!moving) {
                return i + 1;
            }
        }
        return limit;
    }

    int soundCount(SoundHandle sound) const {
        int n = 0;
        for (const RecordedSound& s : headless().sounds()) {
            n += s.sound == sound ? 1 : 0;
        }
        return n;
    }

    const RecordedSound* lastSound(SoundHandle sound) const {
        const RecordedSound* last = nullptr;
        for (const RecordedSound& s : headless().sounds()) {
            last = s.sound == sound ? &s : last;
        }
        return last;
    }

    float pointerX = 462, pointerY = 462;
    TempFolder folder;

  private:
    std::string savedProgressFileName, savedTempFileName;

    // Reading the packs takes a while, so the catalogues are loaded once per suite; the
    // engine's own reset between tests does not touch the layers' definitions or the handles.
    static SceneLayer*& loadedLayer() {
        static SceneLayer* layer = nullptr;
        return layer;
    }

    static bool ensureResources(Engine& engine) {
        static SoundCatalogue loadedSounds;
        if (loadedLayer() == nullptr || game.hallLayer.get() != loadedLayer()) {
            if (!loadPlayResources(engine)) {
                return false;
            }
            loadedLayer() = game.hallLayer.get();
            loadedSounds = game.sounds;
        }
        game.engine = &engine;
        game.sounds = loadedSounds;
        return true;
    }
};

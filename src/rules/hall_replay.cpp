#include "rules/hall_replay.h"

#include "hall/push_scrambler.h"
#include "presentation/effect_manager.h"
#include "presentation/scene_layer.h"
#include "rules/hall_pieces.h"
#include "rules/hall_session.h"
#include "rules/update_hall.h"
#include "shell/game_state.h"

#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

struct RecordedPush {
    int x = 0, y = 0, direction = 0;
    std::int32_t after[hallSize][hallSize] = {};    // the model's grid once the push is done
    std::int32_t specialCode[specialCapacity] = {}; // and its special objects' codes
};

class PushRecorder final : public PushObserver {
  public:
    explicit PushRecorder(const HallGrid& hall) : hall_(hall) {}
    void piecePushed(int x, int y, int direction) override {
        RecordedPush push{x, y, direction, {}, {}};
        std::memcpy(push.after, hall_.grid, sizeof push.after);
        std::memcpy(push.specialCode, hall_.specialCode, sizeof push.specialCode);
        pushes.push_back(push);
    }
    std::vector<RecordedPush> pushes;

  private:
    const HallGrid& hall_;
};

constexpr int directionX[4] = {-1, 1, 0, 0};
constexpr int directionY[4] = {0, 0, -1, 1};
const char* const directionNames[4] = {"left", "right", "up", "down"};

CellCode codeOfPiece(std::string_view name) {
    static const struct {
        std::string_view name;
        CellCode code;
    } pieces[] = {{"hallitemball", CellBall},           {"hallitembox", CellBox},
                  {"hallitemspike", CellSpike},         {"hallitemamoebaball", CellAmoebaBall},
                  {"hallitemamoebabox", CellAmoebaBox}, {"hallitemamoebaspike", CellAmoebaSpike}};
    for (const auto& piece : pieces) {
        if (name == piece.name) {
            return piece.code;
        }
    }
    return CellVoid;
}

std::string codeName(CellCode code) {
    switch (code) {
    case CellBall:
        return "ball";
    case CellBox:
        return "box";
    case CellSpike:
        return "spike";
    case CellAmoebaBall:
        return "ball amoeba";
    case CellAmoebaBox:
        return "box amoeba";
    case CellAmoebaSpike:
        return "spike amoeba";
    default:
        return "nothing";
    }
}

std::string cellText(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

// One frame as the frame loop runs it while a level is played.
void playFrame() {
    updateHall(game.hall, game.frameTime, 0, 0);
    updateEffects(game.effects, game.frameTime);
    game.dragState = 0;
    game.clock += 1;
}

bool allAtRest() {
    SceneLayer& layer = *game.hallLayer;
    const int n = collectObjectsByName(layer, "hallitem", false);
    for (int i = 0; i < n; ++i) {
        const HallObject* piece = hallObjectOf(nameResultAt(layer, i));
        if (piece != nullptr && (piece->moveX != 0 || piece->moveY != 0)) {
            return false;
        }
    }
    return true;
}

SceneObject* pieceAt(int x, int y) {
    SceneLayer& layer = *game.hallLayer;
    const int n = collectObjectsByName(layer, "hallitem", false);
    for (int i = 0; i < n; ++i) {
        SceneObject* object = nameResultAt(layer, i);
        if (object != nullptr && object->x == cellCentre(x) && object->y == cellCentre(y)) {
            return object;
        }
    }
    return nullptr;
}

// The pieces of the hall layer as a grid of piece codes; false with a description when a piece
// stands off the cell centres.
bool scenePieces(CellCode cells[hallSize][hallSize], std::string* problem) {
    SceneLayer& layer = *game.hallLayer;
    const int n = collectObjectsByName(layer, "hallitem", false);
    for (int i = 0; i < n; ++i) {
        SceneObject* object = nameResultAt(layer, i);
        if (hallObjectOf(object) == nullptr) {
            continue;
        }
        const int x = static_cast<int>(object->x) / cellUnits;
        const int y = static_cast<int>(object->y) / cellUnits;
        if (!insideHall(x, y) || object->x != cellCentre(x) || object->y != cellCentre(y) ||
            object->scale != 1) {
            *problem = object->name + " off the cells at (" + std::to_string(object->x) + ", " +
                       std::to_string(object->y) + ")";
            return false;
        }
        cells[x][y] = codeOfPiece(object->name);
    }
    return true;
}

// Empty when the scene's pieces stand where the model's grid has them.
std::string compareWithModel(const std::int32_t model[hallSize][hallSize]) {
    CellCode cells[hallSize][hallSize] = {};
    std::string problem;
    if (!scenePieces(cells, &problem)) {
        return problem;
    }
    for (int y = 0; y < hallSize; ++y) {
        for (int x = 0; x < hallSize; ++x) {
            const CellCode expected = isPiece(model[x][y]) ? model[x][y] : CellVoid;
            if (cells[x][y] != expected) {
                return "cell " + cellText(x, y) + " holds " + codeName(expected) +
                       " in the model, " + codeName(cells[x][y]) + " in the hall";
            }
        }
    }
    return {};
}

// Lights and floors only show the hall (lights also give big amoebas torches to put out);
// relighting every corner of them each frame would take most of a replay's time.
void removeDecoration() {
    SceneLayer& layer = *game.hallLayer;
    for (const char* family : {"halllight", "hallfloor"}) {
        const int n = collectObjectsByName(layer, family, false);
        for (int i = 0; i < n; ++i) {
            SceneObject* object = nameResultAt(layer, i);
            removePiece(game.hall, object, hallObjectOf(object));
        }
    }
}

// Mutation cells whose kind differs between the model and the hall: amoebas give them their
// kind, and the two models do not always agree when.
std::string mutationDifferences(const RecordedPush& push) {
    static const char* const kinds[] = {"ball", "box", "spike"};
    std::string text;
    for (int k = 0; k < specialCapacity; ++k) {
        const CellCode code = push.specialCode[k];
        if (!isMutation(code)) {
            continue;
        }
        const int x = game.hall.specialX[k], y = game.hall.specialY[k];
        SceneObject* cell =
            findObjectNear(*game.hallLayer, "hallmutace", false, cellCentre(x), cellCentre(y), 1);
        const std::string model = kinds[code - MutationBall];
        const std::string hall = cell != nullptr ? cell->name.substr(10) : "none";
        if (model != hall) {
            text += "; mutation cell " + cellText(x, y) + " is " + model + " in the model, " +
                    hall + " in the hall";
        }
    }
    return text;
}

bool hallSolved() {
    return game.screens.shows(ScreenKind::LevelDone) || game.screens.shows(ScreenKind::LastLevel);
}

// Runs frames until every piece rests, then one more for the rest test; false when cut off.
bool settle() {
    for (int frames = 0; frames < replayFrameLimit; ++frames) {
        playFrame();
        if (allAtRest()) {
            playFrame();
            return true;
        }
    }
    return false;
}

} // namespace

ReplayResult replayHall(std::string_view name, int level) {
    ReplayResult result;
    result.level = level;
    motionSeen = 0;
    PushRecorder recorder(game.hall);
    startHall(level, name, &recorder);
    result.pushes = static_cast<int>(recorder.pushes.size());
    removeDecoration();
    if (recorder.pushes.empty()) {
        motionSeen = 1; // nothing to push: the ends lie under the items already
        playFrame();
        result.solved = hallSolved();
        return result;
    }
    for (const RecordedPush& push : recorder.pushes) {
        const int index = result.replayed + 1;
        const std::string where = " (" + std::string(directionNames[push.direction]) + " from " +
                                  cellText(push.x, push.y) + ")";
        SceneObject* piece = pieceAt(push.x, push.y);
        if (piece == nullptr) {
            result.firstDivergence = index;
            result.divergence = "no piece to push" + where;
            break;
        }
        game.pressPoint = {piece->x, piece->y};
        game.releasePoint = {piece->x + 20.0f * static_cast<float>(directionX[push.direction]),
                             piece->y + 20.0f * static_cast<float>(directionY[push.direction])};
        game.dragState = 2;
        playFrame();
        result.replayed = index;
        if (!settle()) {
            result.endless = true;
            result.divergence =
                "a piece still moves after " + std::to_string(replayFrameLimit) + " frames" + where;
            break;
        }
        const std::string difference = compareWithModel(push.after);
        if (!difference.empty()) {
            result.firstDivergence = index;
            result.divergence = difference + where + mutationDifferences(push);
            result.solved = hallSolved();
            break;
        }
        if (hallSolved()) {
            result.solved = true;
            break; // the game stops at the solved dialog
        }
    }
    result.solved = result.solved || hallSolved();
    return result;
}

std::string formatReplay(std::string_view name, const ReplayResult& result) {
    std::string line = std::string(name) + " level " + std::to_string(result.level) + ": ";
    line += result.solved ? "solved" : "not solved";
    line += result.solved && result.replayed < result.pushes ? " early" : "";
    line += ", " + std::to_string(result.replayed) + " of " + std::to_string(result.pushes) +
            " pushes replayed";
    if (result.endless) {
        line +=
            "; cut off after push " + std::to_string(result.replayed) + ": " + result.divergence;
    } else if (result.firstDivergence > 0) {
        line += "; pieces left the model after push " + std::to_string(result.firstDivergence) +
                ": " + result.divergence;
    }
    return line + "\n";
}

int runReplayTool(const std::vector<std::string>& args, bool allLevels, std::string* out,
                  std::string* err) {
    int first = 1, last = 99;
    if (!allLevels) {
        char* end = nullptr;
        const long level = std::strtol(args[1].c_str(), &end, 10);
        if (args[1].empty() || *end != 0 || level < 1 || level > 99) {
            return 2;
        }
        first = last = static_cast<int>(level);
    }
    Engine* engine = createEngine(engineVersion);
    if (engine == nullptr || !loadPlayResources(*engine)) {
        *err += "quorvane-hall: cannot load Graphics.paq and Sound.paq beside the program\n";
        if (engine != nullptr) {
            engine->release();
        }
        return 1;
    }
    // A solved hall stores the progress; keep that away from the player's own file.
    const auto scratch =
        std::filesystem::temp_directory_path() / ("quorvane-replay-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    game.progressFileName = (scratch / "Quorvane.sav").string();
    game.tempFileName = (scratch / "Quorvane.tmp").string();

    int solved = 0, diverged = 0, endless = 0;
    for (int level = first; level <= last; ++level) {
        const ReplayResult result = replayHall(args[0], level);
        *out += formatReplay(args[0], result);
        solved += result.solved ? 1 : 0;
        diverged += result.firstDivergence > 0 ? 1 : 0;
        endless += result.endless ? 1 : 0;
    }
    if (allLevels) {
        *out += args[0] + ": " + std::to_string(solved) + " of 99 levels solved, " +
                std::to_string(diverged) + " diverged from the model, " + std::to_string(endless) +
                " cut off\n";
    }
    releasePlayResources();
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    engine->release();
    return 0;
}

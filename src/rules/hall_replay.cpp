#include "rules/hall_replay.h"

#include "hall/push_scrambler.h"
#include "hall/tool_text.h"
#include "rules/hall_scene.h"
#include "rules/play_frame.h"
#include "rules/play_move.h"
#include "rules/play_queries.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct RecordedPush {
    int x = 0, y = 0, direction = 0;
    std::int32_t after[hallSize][hallSize] = {};    // the model's grid once the push is done
    std::int32_t specialCode[specialCapacity] = {}; // and its special objects' codes
};

class PushRecorder final : public PushObserver {
  public:
    void piecePushed(int x, int y, int direction, const HallGrid& hall) override {
        RecordedPush push{x, y, direction, {}, {}};
        std::memcpy(push.after, hall.grid, sizeof push.after);
        std::memcpy(push.specialCode, hall.specialCode, sizeof push.specialCode);
        pushes.push_back(push);
    }
    std::vector<RecordedPush> pushes;
};

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

// The pieces of the hall as a grid of piece codes; false with a description when a piece
// stands off the cell centres.
bool statePieces(const PlayState& state, CellCode cells[hallSize][hallSize], std::string* problem) {
    for (int slot : pieceSlots(state)) {
        const PlayObject& piece = objectAt(state, slot);
        const int x = static_cast<int>(piece.x) / cellUnits;
        const int y = static_cast<int>(piece.y) / cellUnits;
        if (!insideHall(x, y) || piece.x != cellCentre(x) || piece.y != cellCentre(y) ||
            piece.scale != 1) {
            *problem = std::string(nameText(piece.name)) + " off the cells at (" +
                       std::to_string(piece.x) + ", " + std::to_string(piece.y) + ")";
            return false;
        }
        cells[x][y] = codeOfPiece(nameText(piece.name));
    }
    return true;
}

// Empty when the state's pieces stand where the model's grid has them.
std::string compareWithModel(const PlayState& state, const std::int32_t model[hallSize][hallSize]) {
    CellCode cells[hallSize][hallSize] = {};
    std::string problem;
    if (!statePieces(state, cells, &problem)) {
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

// Lights and floors only show the hall; taking them out keeps the replay to what the model
// knows (a big amoeba has no torches to put out, and draws no numbers for them).
void removeDecoration(PlayState& state) {
    for (NameRange family : {family::lights, onlyName(PieceName::Floor)}) {
        for (int slot : collectByName(state, family)) {
            removePlayObject(state, slot);
        }
    }
}

// Mutation cells whose kind differs between the model and the hall: amoebas give them their
// kind, and the two models do not always agree when.
std::string mutationDifferences(const PlayState& state, const HallGrid& hall,
                                const RecordedPush& push) {
    static const char* const kinds[] = {"ball", "box", "spike"};
    std::string text;
    for (int k = 0; k < specialCapacity; ++k) {
        const CellCode code = push.specialCode[k];
        if (!isMutation(code)) {
            continue;
        }
        const int x = hall.specialX[k], y = hall.specialY[k];
        const int cell =
            findNear(state, family::mutationCells, false, cellCentre(x), cellCentre(y), 1);
        const std::string model = kinds[code - MutationBall];
        const std::string inHall =
            cell != noSlot ? std::string(nameText(objectAt(state, cell).name).substr(10)) : "none";
        if (model != inHall) {
            text += "; mutation cell " + cellText(x, y) + " is " + model + " in the model, " +
                    inHall + " in the hall";
        }
    }
    return text;
}

} // namespace

ReplayResult replayHall(PlayState& state, std::string_view name, int level) {
    ReplayResult result;
    result.level = level;
    state.motionSeen = 0;
    HallGrid hall;
    PushRecorder recorder;
    startPlay(state, hall, level, name, &recorder);
    result.pushes = static_cast<int>(recorder.pushes.size());
    removeDecoration(state);
    PlayEvents events;
    if (recorder.pushes.empty()) {
        state.motionSeen = 1; // nothing to push: the ends lie under the items already
        result.solved = playFrame(state, {}, events);
        return result;
    }
    for (const RecordedPush& push : recorder.pushes) {
        const int index = result.replayed + 1;
        const std::string where = " (" +
                                  std::string(directionName(directionOfPush(push.direction))) +
                                  " from " + cellText(push.x, push.y) + ")";
        const PlayedMove played =
            playMoveToRest(state, push.x, push.y, directionOfPush(push.direction), events);
        result.solved = result.solved || played.solved;
        if (played.end == MoveEnd::NoPiece) {
            result.firstDivergence = index;
            result.divergence = "no piece to push" + where;
            break;
        }
        result.replayed = index;
        if (played.end == MoveEnd::Endless) {
            result.endless = true;
            result.divergence =
                "a piece still moves after " + std::to_string(replayFrameLimit) + " frames" + where;
            break;
        }
        const std::string difference = compareWithModel(state, push.after);
        if (!difference.empty()) {
            result.firstDivergence = index;
            result.divergence = difference + where + mutationDifferences(state, hall, push);
            break;
        }
        if (result.solved) {
            break; // the game stops at the solved dialog
        }
    }
    return result;
}

std::string formatReplay(std::string_view name, const ReplayResult& result) {
    std::string line = printableName(name) + " level " + std::to_string(result.level) + ": ";
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

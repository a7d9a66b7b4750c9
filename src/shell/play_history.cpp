#include "shell/play_history.h"

#include <algorithm>

std::size_t PlaySnapshot::bytes() const {
    return changed.capacity() * sizeof(changed[0]) + byName.capacity() * sizeof(byName[0]);
}

PlaySnapshot takeSnapshot(const PlayState& start, const PlayState& state) {
    PlaySnapshot snapshot;
    const std::size_t count = state.objects.size();
    for (std::size_t slot = 0; slot < count; ++slot) {
        if (slot >= start.objects.size() || !(state.objects[slot] == start.objects[slot])) {
            snapshot.changed.emplace_back(static_cast<std::uint32_t>(slot), state.objects[slot]);
        }
    }
    snapshot.changed.shrink_to_fit();
    snapshot.objectCount = static_cast<std::uint32_t>(count);
    snapshot.byName = state.byName;
    snapshot.lastId = state.lastId;
    snapshot.clock = state.clock;
    snapshot.motionSeen = state.motionSeen;
    snapshot.random = state.random;
    return snapshot;
}

void restoreSnapshot(const PlayState& start, const PlaySnapshot& snapshot, PlayState* state) {
    // Objects are only ever added to a hall, so the start's objects are the first ones.
    state->objects.assign(start.objects.begin(),
                          start.objects.begin() +
                              std::min<std::size_t>(start.objects.size(), snapshot.objectCount));
    state->objects.resize(snapshot.objectCount);
    for (const auto& [slot, object] : snapshot.changed) {
        state->objects[slot] = object;
    }
    state->byName = snapshot.byName;
    state->lastId = snapshot.lastId;
    state->clock = snapshot.clock;
    state->motionSeen = snapshot.motionSeen;
    state->random = snapshot.random;
}

void PlayHistory::reset(const PlayState& start) {
    start_ = start;
    steps_.reset();
}

void PlayHistory::recordMove(const PlayState& state, const PlayMove& move) {
    steps_.recordMove(takeSnapshot(start_, state), move);
}

void PlayHistory::recordRestart(const PlayState& state) {
    steps_.recordRestart(takeSnapshot(start_, state));
}

bool PlayHistory::undo(PlayState* state, HistoryStep* step) {
    const Steps::Step* undone = steps_.undo();
    if (undone == nullptr) {
        return false;
    }
    restoreSnapshot(start_, undone->before, state);
    step->isMove = undone->kind == Steps::StepKind::Move;
    step->move = undone->move;
    return true;
}

bool PlayHistory::redo(PlayState* state, HistoryStep* step) {
    const Steps::Step* redone = steps_.redo();
    if (redone == nullptr) {
        return false;
    }
    restoreSnapshot(start_, redone->before, state);
    step->isMove = redone->kind == Steps::StepKind::Move;
    step->move = redone->move;
    return true;
}

std::size_t PlayHistory::bytes() const {
    std::size_t total = start_.objects.capacity() * sizeof(PlayObject) +
                        start_.byName.capacity() * sizeof(std::uint16_t);
    for (const Steps::Step& step : steps_.stepList()) {
        total += sizeof(step) + step.before.bytes();
    }
    return total;
}

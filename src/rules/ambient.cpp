#include "rules/ambient.h"

#include "rules/play_context.h"
#include "rules/play_queries.h"

#include <algorithm>

namespace {

constexpr float everywhere = 100000000.0f; // a query radius that reaches every object

// Torch states live in the light radius: at or above 380 lit (flickering up to 426), 379 dark
// with a faint glow, -1 destroyed.
constexpr float litRadius = 380, darkRadius = 379;
constexpr std::uint32_t litColour = 0xFFF0F0A0, darkColour = 0xFF101010;

// In clock ticks (1/50 s): the torches start after one second and are all lit after four.
constexpr float sequenceStart = 50, sequenceAllLit = 200, sequenceEnd = 250;

constexpr std::uint32_t mutationTint = 0xFFFFA040;

bool isLit(const PlayObject& torch) {
    return torch.lightRadius >= litRadius;
}

void lightTorch(PlayObject& torch) {
    torch.lightRadius = litRadius;
    torch.lightColour = litColour;
}

void darkenTorch(PlayObject& torch) {
    torch.lightRadius = darkRadius;
    torch.lightColour = darkColour;
}

// A torch lighting up by itself, each with a pitch of its own (0.60 .. 1.39).
void igniteTorch(PlayContext& c, PlayObject& torch) {
    lightTorch(torch);
    const float pitch = 0.6f + static_cast<float>(c.state.random.below(80)) * 0.01f;
    c.sound(SoundId::LightOn, 80, torch.x, pitch);
}

void runTorches(PlayContext& c) {
    const std::vector<int> torches = collectNear(c.state, family::torches, 0, 0, everywhere);
    const int count = static_cast<int>(torches.size());
    if (count <= 0) {
        return;
    }
    const float clock = c.state.clock;
    int chosen = torches[static_cast<std::size_t>(c.state.random.below(count))];
    if (clock > sequenceStart && clock < sequenceAllLit) {
        if (!isLit(c.at(chosen)) && c.state.random.below(3) == 0) {
            igniteTorch(c, c.at(chosen));
        }
    }
    if (clock >= sequenceAllLit && clock < sequenceEnd) {
        for (int torch : torches) {
            if (!isLit(c.at(torch))) {
                igniteTorch(c, c.at(torch));
            }
        }
        chosen = torches.back();
    }
    if (isLit(c.at(chosen))) {
        c.at(chosen).lightRadius = litRadius + static_cast<float>(c.state.random.below(47));
    }
    if (everyTicks(clock, 15)) {
        for (int torch : torches) {
            if (isLit(c.at(torch))) {
                c.effect("explosionlightfire", c.at(torch).x, c.at(torch).y);
            }
        }
    }
}

void sparkleTeleports(PlayContext& c) {
    for (int slot : collectNear(c.state, family::teleports, 0, 0, everywhere)) {
        const float dy = static_cast<float>(c.state.random.below(8) - 4); // drawn first
        const float dx = static_cast<float>(c.state.random.below(8) - 4);
        c.effect("explosionteleport2", c.at(slot).x + dx, c.at(slot).y + dy);
    }
}

void blinkMutationCells(PlayContext& c) {
    for (int slot : collectNear(c.state, family::mutationCells, 0, 0, everywhere)) {
        PlayObject& cell = c.at(slot);
        cell.useColour = true;
        cell.colour = cell.colour == mutationTint ? 0xFFFFFFFF : mutationTint;
    }
}

// A grown big amoeba now and then tugs a piece one cell towards itself and marks it silent.
void tugPieces(PlayContext& c, int amoebaSlot) {
    const PlayObject amoeba = c.at(amoebaSlot);
    for (int slot :
         collectNear(c.state, family::pieces, amoeba.x, amoeba.y, everywhere, amoebaSlot)) {
        PlayObject& piece = c.at(slot);
        if (!piece.linked || c.state.random.below(50) != 0) {
            continue;
        }
        if (piece.stepsLeft < 1) {
            if (c.state.random.below(2) == 0) {
                piece.moveX = piece.x >= amoeba.x ? -4 : 4;
            } else {
                piece.moveY = piece.y >= amoeba.y ? -4 : 4;
            }
            piece.stepsLeft = 11;
        }
        piece.mark = 1;
    }
}

// A grown big amoeba puts lit torches out, and rarely destroys one.
void quenchTorches(PlayContext& c, int amoebaSlot) {
    const PlayObject amoeba = c.at(amoebaSlot);
    for (int slot :
         collectNear(c.state, family::torches, amoeba.x, amoeba.y, everywhere, amoebaSlot)) {
        PlayObject& torch = c.at(slot);
        if (!torch.alive || !torch.linked) {
            continue;
        }
        if (c.state.random.below(50) == 0) {
            if (isLit(torch)) {
                darkenTorch(torch);
                c.sound(SoundId::LightHot, 40, torch.x);
            }
        } else if (c.state.random.below(300) == 0 && isLit(torch)) {
            torch.lightRadius = -1;
            c.sound(SoundId::LightOff, 60, torch.x);
            removePlayObject(c.state, slot);
        }
    }
}

void runBigAmoebas(PlayContext& c) {
    for (int slot : collectByName(c.state, family::bigAmoebas)) {
        PlayObject& amoeba = c.at(slot);
        if (!amoeba.alive || !amoeba.linked) {
            continue;
        }
        if (everyTicks(c.state.clock, 4)) {
            amoeba.frame = (amoeba.frame + 1) % 8;
            amoeba.scale = std::min(1.0f, amoeba.scale + 0.04f);
        }
        amoeba.rotation = 0;
        if (amoeba.scale > 0.5f) {
            tugPieces(c, slot);
            quenchTorches(c, slot);
        }
    }
}

} // namespace

bool everyTicks(float clock, int n) {
    return static_cast<int>(clock) % n == 0;
}

void switchLightUnderPointer(PlayContext& c) {
    if (!c.input.switchLight) {
        return;
    }
    const PlayObject probe = pointerProbe(c.input.pointerX, c.input.pointerY);
    const int slot = findOverlapping(c.state, probe, family::torches);
    if (slot == noSlot) {
        return;
    }
    PlayObject& torch = c.at(slot);
    if (isLit(torch)) {
        darkenTorch(torch);
        c.sound(SoundId::LightOff, 60, torch.x);
    } else {
        lightTorch(torch);
        c.sound(SoundId::LightOn, 90, torch.x);
    }
    c.report(EventKind::TorchSwitched, torch);
}

void runAmbientSteps(PlayContext& c) {
    runTorches(c);
    if (everyTicks(c.state.clock, 10)) {
        sparkleTeleports(c);
    }
    if (everyTicks(c.state.clock, 8)) {
        blinkMutationCells(c);
    }
    runBigAmoebas(c);
}

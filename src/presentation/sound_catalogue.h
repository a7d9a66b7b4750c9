#pragma once
// The game's 21 sound effects, loaded once at start-up from the sound pack and kept for the run.

#include "engine/engine.h"

struct SoundCatalogue {
    SoundHandle soundLogo = 0, soundButton = 0, soundMove = 0, soundMark = 0, soundBall = 0,
                soundBox = 0, soundSpike = 0, soundAmoeba = 0, soundDestroy = 0, soundMutation = 0,
                soundArrow = 0, soundTeleport = 0, soundGate = 0, soundWall = 0, soundDoor = 0,
                soundMorph = 0, soundEat = 0, soundBigAmoeba = 0, soundLightOn = 0,
                soundLightOff = 0, soundLightHot = 0;
};

// Loads every sound in catalogue order and stops at the first that fails: handles loaded before
// it stay, the rest stay 0. True when all 21 loaded.
bool loadSounds(Engine& engine, SoundCatalogue& sounds);

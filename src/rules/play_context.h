#pragma once
// What the rules of one frame work on: the state, the events they report, and the frame's
// input. Private to the rules' own files.

#include "rules/play_frame.h"

#include <cstdint>
#include <string_view>

struct PlayContext {
    PlayState& state;
    PlayEvents& events;
    const PlayInput& input;

    PlayObject& at(int slot) { return objectAt(state, slot); }

    // A sound at volume 0 .. 100, panned from hall-plane x.
    void sound(SoundId sound, int volume, float x, float pitch = 1.0f) {
        PlayEvent e;
        e.kind = EventKind::Sound;
        e.sound = sound;
        e.volume = volume;
        e.pan = soundPan(x);
        e.pitch = pitch;
        e.x = x;
        events.push_back(e);
    }

    // An effect of the effect manager at a hall-plane position (colour 0xAARRGGBB).
    void effect(std::string_view name, float x, float y, std::uint32_t colour = 0xFFFFFFFF) {
        PlayEvent e;
        e.kind = EventKind::Effect;
        e.effect = name;
        e.x = x;
        e.y = y;
        e.colour = colour;
        events.push_back(e);
    }

    void report(EventKind kind, const PlayObject& object) {
        PlayEvent e;
        e.kind = kind;
        e.x = object.x;
        e.y = object.y;
        e.objectId = object.id;
        events.push_back(e);
    }

    // A piece leaves play without successor: reported, then removed. No effect, no sound.
    void removePiece(int slot) {
        report(EventKind::PieceDestroyed, at(slot));
        removePlayObject(state, slot);
    }

    // "explosionitem" at the piece in its kind's colour, then the piece leaves play. The sound
    // that goes with it is the caller's.
    void destroyPiece(int slot);
};

#include "presentation/sound_catalogue.h"

namespace {

struct SoundRow {
    SoundHandle SoundCatalogue::*field;
    const char* file; // inside the sound pack
};

// Some files are named ".mp3" though every effect is decoded by its content, whatever the name.
constexpr SoundRow soundRows[] = {
    {&SoundCatalogue::soundLogo, "sound\\logo.mp3"},
    {&SoundCatalogue::soundButton, "sound\\button.wav"},
    {&SoundCatalogue::soundMove, "sound\\move.wav"},
    {&SoundCatalogue::soundMark, "sound\\mark.wav"},
    {&SoundCatalogue::soundBall, "sound\\ball.wav"},
    {&SoundCatalogue::soundBox, "sound\\box.wav"},
    {&SoundCatalogue::soundSpike, "sound\\spike.wav"},
    {&SoundCatalogue::soundAmoeba, "sound\\amoeba.mp3"},
    {&SoundCatalogue::soundDestroy, "sound\\destroy.wav"},
    {&SoundCatalogue::soundMutation, "sound\\mutace.wav"},
    {&SoundCatalogue::soundArrow, "sound\\arrow.mp3"},
    {&SoundCatalogue::soundTeleport, "sound\\teleport.mp3"},
    {&SoundCatalogue::soundGate, "sound\\gate.mp3"},
    {&SoundCatalogue::soundWall, "sound\\wall.mp3"},
    {&SoundCatalogue::soundDoor, "sound\\door.mp3"},
    {&SoundCatalogue::soundMorph, "sound\\morf.mp3"},
    {&SoundCatalogue::soundEat, "sound\\eat.mp3"},
    {&SoundCatalogue::soundBigAmoeba, "sound\\bigamoeba.mp3"},
    {&SoundCatalogue::soundLightOn, "sound\\lighton.mp3"},
    {&SoundCatalogue::soundLightOff, "sound\\lightoff.mp3"},
    {&SoundCatalogue::soundLightHot, "sound\\lighthot.mp3"},
};

} // namespace

bool loadSounds(Engine& engine, SoundCatalogue& sounds) {
    for (const SoundRow& row : soundRows) {
        const SoundHandle handle = engine.loadSound(row.file, 0);
        sounds.*row.field = handle;
        if (handle == 0) {
            return false;
        }
    }
    return true;
}

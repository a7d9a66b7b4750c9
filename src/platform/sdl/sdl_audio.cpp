// Sound effects through SDL_mixer. Without an audio device the game runs silently: sounds still
// load (so the game's checks pass) and playing them does nothing.

#include "platform/sdl/resample.h"
#include "platform/sdl/sdl_engine.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int mixChannels = 32;

} // namespace

void SdlEngine::openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        logLine("No audio device (%s); the game runs without sound", SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG); // decoders for sounds that are not WAV
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        logLine("No audio device (%s); the game runs without sound", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    audioChannels_ = channels;
    Mix_AllocateChannels(mixChannels);
    audioOpen_ = true;
}

void SdlEngine::closeAudio() {
    if (audioOpen_) {
        Mix_HaltChannel(-1);
    }
    for (Sound& sound : sounds_) {
        for (auto& [pitch, chunk] : sound.pitched) {
            Mix_FreeChunk(chunk);
        }
        Mix_FreeChunk(sound.chunk);
    }
    sounds_.clear();
    if (audioOpen_) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioOpen_ = false;
    }
}

SoundHandle SdlEngine::loadSound(const char* name, std::uint32_t) {
    const std::string entry = name != nullptr ? name : "";
    const auto bytes = files_.read(entry);
    if (!bytes || bytes->empty()) {
        logLine("Can't load sound %s: not found", entry.c_str());
        return 0;
    }
    Sound sound;
    if (audioOpen_) {
        sound.chunk =
            Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
        if (sound.chunk == nullptr) {
            logLine("Can't load sound %s: %s", entry.c_str(), Mix_GetError());
            return 0;
        }
    }
    sounds_.push_back(std::move(sound));
    return static_cast<SoundHandle>(sounds_.size());
}

// The sound at this pitch, resampled once and kept; pitch is taken in hundredths.
Mix_Chunk* SdlEngine::pitchedChunk(Sound& sound, float pitch) {
    const int key = static_cast<int>(std::lround(std::clamp(pitch, 0.1f, 10.0f) * 100.0f));
    if (key == 100) {
        return sound.chunk;
    }
    auto it = sound.pitched.find(key);
    if (it != sound.pitched.end()) {
        return it->second;
    }
    const std::size_t frames = sound.chunk->alen / (sizeof(std::int16_t) * audioChannels_);
    sound.buffers.push_back(resampleFrames(reinterpret_cast<const std::int16_t*>(sound.chunk->abuf),
                                           frames, audioChannels_, key / 100.0f));
    std::vector<std::int16_t>& samples = sound.buffers.back();
    Mix_Chunk* chunk =
        Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                          static_cast<Uint32>(samples.size() * sizeof(std::int16_t)));
    sound.pitched[key] = chunk;
    return chunk;
}

void SdlEngine::playSound(SoundHandle handle, int volume, int pan, float pitch, bool loop) {
    if (!audioOpen_ || handle == 0 || handle > sounds_.size()) {
        return;
    }
    Sound& sound = sounds_[handle - 1];
    Mix_Chunk* chunk = pitchedChunk(sound, pitch);
    const int channel = chunk != nullptr ? Mix_PlayChannel(-1, chunk, loop ? -1 : 0) : -1;
    if (channel < 0) {
        return; // every channel busy: the sound is dropped
    }
    const int master = std::clamp(number(numberEffectsVolume, 100), 0, 100);
    Mix_Volume(channel, std::clamp(volume, 0, 100) * master * MIX_MAX_VOLUME / 10000);
    pan = std::clamp(pan, -100, 100);
    const auto left = static_cast<Uint8>(pan <= 0 ? 255 : 255 * (100 - pan) / 100);
    const auto right = static_cast<Uint8>(pan >= 0 ? 255 : 255 * (100 + pan) / 100);
    Mix_SetPanning(channel, left, right);
}

#include "shell/game_state.h"

// The one global of the game. Every subsystem works on it directly: the engine calls the frame
// and render handlers one after the other on a single thread, so sharing it needs no locking and
// passing it around would only add noise. Everything else in the program stays local.
GameState game;

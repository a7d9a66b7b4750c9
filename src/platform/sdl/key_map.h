#pragma once
// Translation of SDL keys and typed text to the engine's key numbers (the virtual-key numbers
// of the desktop the game was first written for) and 8-bit characters.

#include <SDL.h>

// The key number of an SDL key, or 0 for a key the game has no number for.
int virtualKey(SDL_Keycode key);

// The typed character when the text is exactly one character of 8 bits (Latin-1), else 0.
int latin1Character(const char* utf8);

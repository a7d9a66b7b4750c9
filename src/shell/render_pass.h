#pragma once
// The render handler: the hall, the effects, the overlay, the dialogs, then (after the opening)
// the top bar with the game name and level and the two web links, and the credits while the menu
// is open. Everything is drawn in logical units.

// Called by the engine once per frame after the frame handler; always false.
bool renderHandler();

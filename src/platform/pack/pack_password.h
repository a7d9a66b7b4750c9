#pragma once
// The password that opens both resource packs. The game and the asset builder both take it from
// here, so the packs and the game can never disagree.

#include <array>
#include <string>

// Four one-character pieces, each cut from a fixed text at a position of its own.
std::array<std::string, 4> packPasswordPieces();

// Pieces joined, first to fourth.
std::string joinPasswordPieces(const std::array<std::string, 4>& pieces);

// The password itself: the pieces above, joined.
std::string packPassword();

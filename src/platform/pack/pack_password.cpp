#include "platform/pack/pack_password.h"

namespace {

// 36 capital letters and digits; the pieces are cut at the positions below.
constexpr char passwordSource[] = "K4TQ8ZRW1MVN7XJ2PHB5CLG9YD0FS3UE6AOI";
static_assert(sizeof passwordSource == 37, "the source text has 36 characters");
constexpr int piecePositions[4] = {7, 19, 30, 2};

} // namespace

std::array<std::string, 4> packPasswordPieces() {
    std::array<std::string, 4> pieces;
    for (int i = 0; i < 4; ++i) {
        pieces[i] = std::string(1, passwordSource[piecePositions[i]]);
    }
    return pieces;
}

std::string joinPasswordPieces(const std::array<std::string, 4>& pieces) {
    std::string password;
    for (const std::string& piece : pieces) {
        password += piece;
    }
    return password;
}

std::string packPassword() {
    return joinPasswordPieces(packPasswordPieces());
}

#pragma once
// Names of the hall's families and what the rules read from them. Every name test of play is a
// prefix test: "hallitemamoeba" matches all three amoebas, "hallitem" every piece.

#include <string_view>

enum class PieceKind { None, Ball, Box, Spike };

inline bool startsWith(std::string_view name, std::string_view prefix) {
    return name.substr(0, prefix.size()) == prefix;
}

inline bool isAmoeba(std::string_view name) {
    return startsWith(name, "hallitemamoeba");
}

// The kind of a plain item ("hallitemball"...); None for amoebas and everything else.
inline PieceKind itemKind(std::string_view name) {
    if (startsWith(name, "hallitemball")) {
        return PieceKind::Ball;
    }
    if (startsWith(name, "hallitembox")) {
        return PieceKind::Box;
    }
    if (startsWith(name, "hallitemspike")) {
        return PieceKind::Spike;
    }
    return PieceKind::None;
}

// The kind of an amoeba ("hallitemamoebabox" is of kind box); None for everything else.
inline PieceKind amoebaKind(std::string_view name) {
    if (startsWith(name, "hallitemamoebaball")) {
        return PieceKind::Ball;
    }
    if (startsWith(name, "hallitemamoebabox")) {
        return PieceKind::Box;
    }
    if (startsWith(name, "hallitemamoebaspike")) {
        return PieceKind::Spike;
    }
    return PieceKind::None;
}

// "ball", "box" or "spike": the last word of every name of that kind.
inline std::string_view kindWord(PieceKind kind) {
    switch (kind) {
    case PieceKind::Ball:
        return "ball";
    case PieceKind::Box:
        return "box";
    case PieceKind::Spike:
        return "spike";
    case PieceKind::None:
        break;
    }
    return "";
}

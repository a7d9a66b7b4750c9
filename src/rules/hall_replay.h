#pragma once
// Solution replay: the generator promises that the scramble's own pushes, made by the player,
// bring every item to its end. A replay builds the hall as a level start does, then makes each
// recorded push as a move of the piece on its cell, plays frames until every piece is at rest,
// and compares the pieces with the grid model's cells after that push. The hall's lights and
// floors are taken out first: they only show the hall. No pack, engine or window is needed.

#include <string>
#include <string_view>

struct PlayState;

// A piece still moving after this many frames of one push is taken to run in a loop.
constexpr int replayFrameLimit = 5000;

struct ReplayResult {
    int level = 0;
    int pushes = 0;   // pushes the scramble made
    int replayed = 0; // pushes made as drags
    bool solved = false;
    bool endless = false;    // cut off: a piece never stopped
    int firstDivergence = 0; // 1-based push after which the pieces left the model; 0 none
    std::string divergence;  // what differed first, in words
};

// Replays the level in state; the state's random source carries on from whatever it held.
ReplayResult replayHall(PlayState& state, std::string_view name, int level);

// One line, ending in a newline; the name's control bytes are escaped.
std::string formatReplay(std::string_view name, const ReplayResult& result);

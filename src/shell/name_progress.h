#pragma once
// Progress per game name: for every name played, the level it stopped at, the furthest level
// it reached, and per level whether it was solved (with the fewest moves) or skipped. It lives
// in its own file beside the progress file, which keeps its two lines for older copies of the
// game; this file only adds to it, so losing it loses nothing the progress file holds.
//
// The file is text, one record a line, fields separated by a tab:
//   Quorvane progress 1                  the header
//   name    NAME  CURRENT  REACHED       where the name stopped and how far it got
//   solved  NAME  LEVEL  MOVES           fewest moves that solved the level (0 = not counted)
//   skipped NAME  LEVEL
// Names are written with '%' and bytes up to 32 or from 127 as %XX, so any name survives.

#include "shell/progress_file.h"

#include <array>
#include <map>
#include <string>

constexpr int lastLevel = 99;

struct LevelRecord {
    bool solved = false;
    bool skipped = false; // skipped and not solved since
    int bestMoves = 0;    // fewest moves of a solution; 0 when none was counted
};

struct NameProgress {
    int current = 1;                                 // the level to continue from
    int reached = 1;                                 // the furthest level opened for play
    std::array<LevelRecord, lastLevel + 1> levels{}; // 1..99; 0 unused
};

using ProgressBook = std::map<std::string, NameProgress>;

enum class LevelAccess { Locked, Open, Solved, Skipped };

// The level was started (played, continued or chosen): it becomes the name's current level.
void noteLevelStarted(ProgressBook& book, const std::string& name, int level);
// Solved in moves (0 = not counted): the best count is kept and the next level opens.
void noteLevelSolved(ProgressBook& book, const std::string& name, int level, int moves);
// Skipped: marked, unless solved before, and the next level opens.
void noteLevelSkipped(ProgressBook& book, const std::string& name, int level);

LevelAccess levelAccess(const ProgressBook& book, const std::string& name, int level);

// loadProgressBook results.
constexpr int bookLoaded = 0;
constexpr int bookMissing = 1;    // no file yet
constexpr int bookUnreadable = 2; // it exists but cannot be read
constexpr int bookBroken = 3;     // no header: nothing was taken from it
constexpr int bookDamaged = 4;    // some lines were bad and left out; the rest was taken

// Reads the file into book (emptied first). badLines, when given, receives the number of lines
// left out.
int loadProgressBook(const std::string& path, ProgressBook* book, int* badLines = nullptr);

// The file's bytes, and the reverse; parse returns bookLoaded, bookBroken or bookDamaged.
std::string progressBookBytes(const ProgressBook& book);
int parseProgressBook(const std::string& bytes, ProgressBook* book, int* badLines = nullptr);

// Writes the book to path through tempName beside it, as the progress file is written; the
// codes are saveProgress's.
int saveProgressBook(const std::string& path, const std::string& tempName, const ProgressBook& book,
                     ProgressFiles& files = systemFiles());

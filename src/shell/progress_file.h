#pragma once
// The progress file: the game name and the level to continue from, two lines ending in CR LF.
// It is replaced atomically: the new content goes to a temporary file beside it, is flushed to
// the disk, and is renamed over the old file in one step, so an interrupted save leaves either
// the old or the new progress, never none.

#include "shell/text_fields.h"

#include <cstdio>
#include <string>

// loadProgress results.
constexpr int progressLoaded = 0;
constexpr int progressCannotOpen = 1;
constexpr int progressNoName = 2;   // line 1 missing or empty
constexpr int progressBadName = 3;  // empty or over 16 characters after trimming
constexpr int progressNoLevel = 4;  // line 2 missing or empty
constexpr int progressBadLevel = 5; // outside 1..99

// saveProgress results.
constexpr int progressSaved = 0;
constexpr int progressTempFailed = 1;   // the temporary file cannot be created or written
constexpr int progressRenameFailed = 2; // it cannot replace the progress file

constexpr int maximumNameLength = 16;

// The file operations a save needs, so that tests can make each of them fail.
class ProgressFiles {
  public:
    virtual ~ProgressFiles() = default;
    virtual int create(const std::string& path) = 0; // descriptor, or -1
    virtual bool write(int file, const std::string& bytes) = 0;
    virtual bool flush(int file) = 0; // to the disk
    virtual bool close(int file) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual void flushDirectory(const std::string& directory) = 0; // makes a rename durable
};

// The real file system.
ProgressFiles& systemFiles();

// Reads one line from the file: CR, LF, CR LF or LF CR end it (CR CR and LF LF end two), bytes
// of value 0 are skipped. Returns the number of bytes stored in text, or -1 at the end of the
// file with nothing stored. Lines longer than 1024 bytes are cut, the rest being skipped.
int readLine(std::FILE* file, std::string* text);

// Reads the progress file; name and level are set only on progressLoaded.
int loadProgress(const std::string& fileName, std::string* name, int* level);

// Saves game.gameName and level to fileName, through game.tempFileName beside it.
int saveProgress(const std::string& fileName, int level);

// Writes name and level to fileName through the temporary file tempName, which is placed in the
// same directory. On failure the old file is untouched and the temporary file is gone.
int writeProgress(const std::string& fileName, const std::string& tempName, const std::string& name,
                  int level, ProgressFiles& files = systemFiles());

// Replaces fileName with bytes through the temporary file tempName in the same directory: the
// temporary is written, flushed to the disk and renamed over fileName. Returns progressSaved,
// progressTempFailed or progressRenameFailed; on failure the old file is untouched and the
// temporary file is gone.
int replaceFile(const std::string& fileName, const std::string& tempName, const std::string& bytes,
                ProgressFiles& files = systemFiles());

// The bytes of a progress file: name, CR LF, level in decimal, CR LF.
std::string progressBytes(const std::string& name, int level);

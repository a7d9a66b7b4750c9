#include "shell/progress_file.h"

#include "shell/game_state.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t longestLine = 1024;

class SystemFiles final : public ProgressFiles {
  public:
    int create(const std::string& path) override {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    bool write(int file, const std::string& bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(file, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    bool flush(int file) override { return ::fsync(file) == 0; }
    bool close(int file) override { return ::close(file) == 0; }
    bool rename(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }
    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
    void flushDirectory(const std::string& directory) override {
        const int folder =
            ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
};

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) {
        --last;
    }
    return text.substr(first, last - first);
}

int readProgress(std::FILE* file, std::string* name, int* level) {
    std::string line;
    if (readLine(file, &line) <= 0) {
        return progressNoName;
    }
    const std::string candidate = trimmed(line);
    if (candidate.empty() || candidate.size() > maximumNameLength) {
        return progressBadName;
    }
    if (readLine(file, &line) <= 0) {
        return progressNoLevel;
    }
    // Like strtol: leading blanks, a sign, the digits up to the first other character.
    const long value = std::strtol(line.c_str(), nullptr, 10);
    if (value <= 0 || value >= 100) {
        return progressBadLevel;
    }
    *name = candidate;
    *level = static_cast<int>(value);
    return progressLoaded;
}

} // namespace

ProgressFiles& systemFiles() {
    static SystemFiles files;
    return files;
}

int readLine(std::FILE* file, std::string* text) {
    text->clear();
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == 0) {
            continue;
        }
        if (isLineEnd(c)) {
            const int next = std::fgetc(file);
            if (next != EOF && (next == c || !isLineEnd(next))) {
                std::ungetc(next, file);
            }
            return static_cast<int>(text->size());
        }
        if (text->size() < longestLine) {
            text->push_back(static_cast<char>(c));
        }
    }
    return text->empty() ? -1 : static_cast<int>(text->size());
}

int loadProgress(const std::string& fileName, std::string* name, int* level) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        return progressCannotOpen;
    }
    const int code = readProgress(file, name, level);
    std::fclose(file);
    return code;
}

std::string progressBytes(const std::string& name, int level) {
    return name + "\r\n" + std::to_string(level) + "\r\n";
}

int writeProgress(const std::string& fileName, const std::string& tempName, const std::string& name,
                  int level, ProgressFiles& files) {
    return replaceFile(fileName, tempName, progressBytes(name, level), files);
}

int replaceFile(const std::string& fileName, const std::string& tempName, const std::string& bytes,
                ProgressFiles& files) {
    const std::string directory = directoryOf(fileName);
    const std::string tempPath = joinPath(directory, tempName);
    // A leftover from an earlier crash may be read-only; it is ours to replace.
    files.remove(tempPath);
    const int file = files.create(tempPath);
    if (file < 0) {
        return progressTempFailed;
    }
    const bool written = files.write(file, bytes) && files.flush(file);
    const bool closed = files.close(file);
    if (!written || !closed) {
        files.remove(tempPath);
        return progressTempFailed;
    }
    if (!files.rename(tempPath, fileName)) {
        files.remove(tempPath);
        return progressRenameFailed;
    }
    files.flushDirectory(directory);
    return progressSaved;
}

int saveProgress(const std::string& fileName, int level) {
    return writeProgress(fileName, game.tempFileName, game.gameName, level);
}

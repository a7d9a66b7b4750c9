#include "shell/name_progress.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

constexpr const char* header = "Quorvane progress 1";
constexpr int mostMoves = 1000000000;
constexpr std::size_t largestFile = 16 << 20; // bytes; more is not a file of ours

bool validLevel(int level) {
    return level >= 1 && level <= lastLevel;
}

std::string encodeName(const std::string& name) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 32 || byte >= 127 || byte == '%') {
            text += '%';
            text += digits[byte >> 4];
            text += digits[byte & 15];
        } else {
            text += c;
        }
    }
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// False for a bad escape or a name outside 1..16 bytes.
bool decodeName(const std::string& text, std::string* name) {
    name->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *name += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return false;
        }
        const int high = hexDigit(text[i + 1]), low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) {
            return false;
        }
        *name += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return !name->empty() && name->size() <= maximumNameLength;
}

// A whole decimal number in min..max, nothing else in the field.
bool readNumber(const std::string& text, int min, int max, int* value) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const long long number = std::strtoll(text.c_str(), nullptr, 10);
    if (number < min || number > max) {
        return false;
    }
    *value = static_cast<int>(number);
    return true;
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// One record into the book; false when the line is not one.
bool readRecord(const std::string& line, ProgressBook* book) {
    const std::vector<std::string> f = splitFields(line);
    std::string name;
    if (f.size() < 3 || !decodeName(f[1], &name)) {
        return false;
    }
    int a = 0, b = 0;
    if (f[0] == "name" && f.size() == 4 && readNumber(f[2], 1, lastLevel, &a) &&
        readNumber(f[3], 1, lastLevel, &b)) {
        NameProgress& progress = (*book)[name];
        progress.current = a;
        progress.reached = std::max(a, b);
        return true;
    }
    if (f[0] == "solved" && f.size() == 4 && readNumber(f[2], 1, lastLevel, &a) &&
        readNumber(f[3], 0, mostMoves, &b)) {
        LevelRecord& record = (*book)[name].levels[a];
        record.solved = true;
        record.bestMoves = b;
        return true;
    }
    if (f[0] == "skipped" && f.size() == 3 && readNumber(f[2], 1, lastLevel, &a)) {
        (*book)[name].levels[a].skipped = true;
        return true;
    }
    return false;
}

// The name's reached level covers every level it solved or skipped.
void settleReached(NameProgress& progress) {
    for (int level = 1; level <= lastLevel; ++level) {
        const LevelRecord& record = progress.levels[level];
        if (record.solved || record.skipped) {
            progress.reached = std::max(progress.reached, std::min(level + 1, lastLevel));
        }
    }
}

} // namespace

void noteLevelStarted(ProgressBook& book, const std::string& name, int level) {
    if (!validLevel(level)) {
        return;
    }
    NameProgress& progress = book[name];
    progress.current = level;
    progress.reached = std::max(progress.reached, level);
}

void noteLevelSolved(ProgressBook& book, const std::string& name, int level, int moves) {
    if (!validLevel(level)) {
        return;
    }
    NameProgress& progress = book[name];
    LevelRecord& record = progress.levels[level];
    if (moves > 0 && (record.bestMoves == 0 || moves < record.bestMoves)) {
        record.bestMoves = moves;
    }
    record.solved = true;
    record.skipped = false;
    progress.reached = std::max(progress.reached, std::min(level + 1, lastLevel));
}

void noteLevelSkipped(ProgressBook& book, const std::string& name, int level) {
    if (!validLevel(level)) {
        return;
    }
    NameProgress& progress = book[name];
    progress.levels[level].skipped = !progress.levels[level].solved;
    progress.reached = std::max(progress.reached, std::min(level + 1, lastLevel));
}

LevelAccess levelAccess(const ProgressBook& book, const std::string& name, int level) {
    const auto found = book.find(name);
    if (!validLevel(level)) {
        return LevelAccess::Locked;
    }
    if (found == book.end()) {
        return level == 1 ? LevelAccess::Open : LevelAccess::Locked;
    }
    const LevelRecord& record = found->second.levels[level];
    if (record.solved) {
        return LevelAccess::Solved;
    }
    if (record.skipped) {
        return LevelAccess::Skipped;
    }
    return level <= found->second.reached ? LevelAccess::Open : LevelAccess::Locked;
}

std::string progressBookBytes(const ProgressBook& book) {
    std::ostringstream out;
    out << header << '\n';
    for (const auto& [name, progress] : book) {
        const std::string encoded = encodeName(name);
        out << "name\t" << encoded << '\t' << progress.current << '\t' << progress.reached << '\n';
        for (int level = 1; level <= lastLevel; ++level) {
            const LevelRecord& record = progress.levels[level];
            if (record.solved) {
                out << "solved\t" << encoded << '\t' << level << '\t' << record.bestMoves << '\n';
            } else if (record.skipped) {
                out << "skipped\t" << encoded << '\t' << level << '\n';
            }
        }
    }
    return out.str();
}

int parseProgressBook(const std::string& bytes, ProgressBook* book, int* badLines) {
    book->clear();
    int bad = 0;
    std::istringstream in(bytes);
    std::string line;
    if (!std::getline(in, line) || line != header) {
        if (badLines != nullptr) {
            *badLines = 0;
        }
        return bookBroken;
    }
    while (std::getline(in, line)) {
        if (!line.empty() && !readRecord(line, book)) {
            ++bad;
        }
    }
    for (auto& entry : *book) {
        settleReached(entry.second);
    }
    if (badLines != nullptr) {
        *badLines = bad;
    }
    return bad == 0 ? bookLoaded : bookDamaged;
}

int loadProgressBook(const std::string& path, ProgressBook* book, int* badLines) {
    book->clear();
    if (badLines != nullptr) {
        *badLines = 0;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return errno == ENOENT ? bookMissing : bookUnreadable;
    }
    std::string bytes;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() < largestFile) {
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return bookUnreadable;
    }
    return parseProgressBook(bytes, book, badLines);
}

int saveProgressBook(const std::string& path, const std::string& tempName, const ProgressBook& book,
                     ProgressFiles& files) {
    return replaceFile(path, tempName, progressBookBytes(book), files);
}

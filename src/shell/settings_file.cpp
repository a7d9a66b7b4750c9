#include "shell/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The known keys. A number key takes decimal digits within its range; a flag key takes
// true/false, yes/no, on/off or 1/0 and is written as true or false.
struct NumberKey {
    const char* name;
    int Settings::*field;
    int lowest, highest;
};
struct FlagKey {
    const char* name;
    bool Settings::*field;
};

constexpr NumberKey numberKeys[] = {
    {"window_width", &Settings::windowWidth, 0, largestWindowSide},
    {"window_height", &Settings::windowHeight, 0, largestWindowSide},
};
constexpr FlagKey flagKeys[] = {
    {"fullscreen", &Settings::fullScreen},
    {"sound", &Settings::soundOn},
};

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isKey(const std::string& key) {
    if (key.empty()) {
        return false;
    }
    for (char c : key) {
        const bool fits = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!fits) {
            return false;
        }
    }
    return true;
}

bool hasControlBytes(const std::string& line) {
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 32 && c != '\t') || byte == 127) {
            return true;
        }
    }
    return false;
}

// Decimal digits only, at most 9 of them, within [lowest, highest].
bool readNumber(const std::string& text, int lowest, int highest, int* value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos) {
        return false;
    }
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < lowest || number > highest) {
        return false;
    }
    *value = static_cast<int>(number);
    return true;
}

bool readFlag(const std::string& text, bool* value) {
    for (const char* yes : {"true", "yes", "on", "1"}) {
        if (text == yes) {
            *value = true;
            return true;
        }
    }
    for (const char* no : {"false", "no", "off", "0"}) {
        if (text == no) {
            *value = false;
            return true;
        }
    }
    return false;
}

// Takes key=value into settings; false when the value does not suit a known key.
bool takeSetting(const std::string& key, const std::string& value, Settings* settings,
                 std::string* expected) {
    for (const NumberKey& number : numberKeys) {
        if (key == number.name) {
            *expected = "a whole number from " + std::to_string(number.lowest) + " to " +
                        std::to_string(number.highest);
            return readNumber(value, number.lowest, number.highest, &(settings->*number.field));
        }
    }
    for (const FlagKey& flag : flagKeys) {
        if (key == flag.name) {
            *expected = "true or false";
            return readFlag(value, &(settings->*flag.field));
        }
    }
    settings->otherLines.push_back(key + "=" + value);
    return true;
}

// One line of the file; false when the file is broken, with the reason in problem.
bool readLineInto(const std::string& raw, int number, Settings* settings,
                  std::vector<std::string>* problems, std::string* problem) {
    const std::string line = trimmed(raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw);
    if (line.empty() || line[0] == '#') {
        return true;
    }
    const std::size_t equals = line.find('=');
    const std::string key = trimmed(line.substr(0, equals));
    if (equals == std::string::npos || !isKey(key) || hasControlBytes(line)) {
        *problem = "line " + std::to_string(number) + " is not key=value";
        return false;
    }
    const std::string value = trimmed(line.substr(equals + 1));
    std::string expected;
    if (!takeSetting(key, value, settings, &expected)) {
        problems->push_back("ignoring " + key + "=" + value + " on line " + std::to_string(number) +
                            ": it takes " + expected);
    }
    return true;
}

// The whole file, or false when it cannot be read or is too long to be ours.
bool readWhole(std::FILE* file, std::string* bytes, std::string* problem) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes->append(buffer, n);
        if (bytes->size() > longestSettingsFile) {
            *problem = "it is longer than " + std::to_string(longestSettingsFile) + " bytes";
            return false;
        }
    }
    if (std::ferror(file) != 0) {
        *problem = "it cannot be read";
        return false;
    }
    return true;
}

} // namespace

std::string settingsPathBeside(const std::string& progressFile) {
    return joinPath(directoryOf(progressFile), settingsFileName);
}

int loadSettings(const std::string& fileName, Settings* settings,
                 std::vector<std::string>* problems) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        return settingsMissing;
    }
    std::string bytes, problem;
    const bool read = readWhole(file, &bytes, &problem);
    std::fclose(file);
    Settings loaded;
    std::vector<std::string> valueProblems;
    bool whole = read;
    for (std::size_t start = 0, number = 1; whole && start < bytes.size(); ++number) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        whole = readLineInto(bytes.substr(start, end - start), static_cast<int>(number), &loaded,
                             &valueProblems, &problem);
        start = end + 1;
    }
    if (!whole) {
        problems->push_back("ignoring the whole file, as " + problem);
        *settings = Settings{};
        return settingsBroken;
    }
    problems->insert(problems->end(), valueProblems.begin(), valueProblems.end());
    *settings = loaded;
    return settingsLoaded;
}

std::string settingsBytes(const Settings& settings) {
    std::string bytes = "# Quorvane's settings, rewritten when the game ends.\n";
    for (const NumberKey& number : numberKeys) {
        bytes += std::string(number.name) + "=" + std::to_string(settings.*number.field) + "\n";
    }
    for (const FlagKey& flag : flagKeys) {
        bytes += std::string(flag.name) + "=" + (settings.*flag.field ? "true" : "false") + "\n";
    }
    for (const std::string& line : settings.otherLines) {
        bytes += line + "\n";
    }
    return bytes;
}

int saveSettings(const std::string& fileName, const std::string& tempName, const Settings& settings,
                 ProgressFiles& files) {
    return replaceFile(fileName, tempName, settingsBytes(settings), files);
}

#include "draw/bitmap_font.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t maxLineLength = 255;
constexpr std::size_t maxPathLength = 259; // the longest texture path the game will open

// Hands out the lines of a font file. Any run of CR and LF separates two lines, so empty lines
// never appear. A line longer than maxLineLength comes out flagged as too long, cut to that length.
class LineReader {
  public:
    LineReader(const char* text, std::size_t size) : text_(text), end_(text + size) {}

    bool next(char (&line)[maxLineLength + 1], bool* tooLong) {
        while (text_ < end_ && isBreak(*text_)) {
            ++text_;
        }
        if (text_ == end_) {
            return false;
        }
        std::size_t length = 0;
        *tooLong = false;
        for (; text_ < end_ && !isBreak(*text_); ++text_) {
            if (length < maxLineLength) {
                line[length++] = *text_;
            } else {
                *tooLong = true;
            }
        }
        line[length] = '\0';
        return true;
    }

  private:
    static bool isBreak(char c) { return c == '\r' || c == '\n'; }
    const char* text_;
    const char* end_;
};

bool startsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

const char* skipBlanks(const char* p) {
    while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    return p;
}

// The code after "Char =": a quoted byte or hexadecimal digits. -1 when there is none or it is
// above 255.
int readCharCode(const char** cursor) {
    const char* p = skipBlanks(*cursor);
    if (*p == '"') {
        if (p[1] == '\0' || p[2] != '"') {
            return -1;
        }
        *cursor = p + 3;
        return static_cast<unsigned char>(p[1]);
    }
    int code = 0;
    const char* start = p;
    for (; std::isxdigit(static_cast<unsigned char>(*p)); ++p) {
        const int digit = std::isdigit(static_cast<unsigned char>(*p))
                              ? *p - '0'
                              : std::tolower(static_cast<unsigned char>(*p)) - 'a' + 10;
        code = code > 255 ? code : code * 16 + digit; // stops growing once out of range
    }
    *cursor = p;
    return p == start || code > 255 ? -1 : code;
}

// One " , %d" of the six numbers; false when the comma or the number is missing.
bool readNumber(const char** cursor, int* value) {
    const char* p = skipBlanks(*cursor);
    if (*p != ',') {
        return false;
    }
    char* end = nullptr;
    const long number = std::strtol(p + 1, &end, 10);
    if (end == p + 1) {
        return false;
    }
    *value = static_cast<int>(number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : number);
    *cursor = end;
    return true;
}

// The font file's folder with its separator: up to the last '\', else the last '/'.
std::string folderOf(const char* fileName) {
    const char* slash = std::strrchr(fileName, '\\');
    if (slash == nullptr) {
        slash = std::strrchr(fileName, '/');
    }
    return slash == nullptr ? std::string() : std::string(fileName, slash + 1);
}

} // namespace

BitmapFont::BitmapFont(const char* fileName) : engine_(createEngine(engineVersion)) {
    if (engine_ == nullptr || fileName == nullptr) {
        return;
    }
    std::uint32_t size = 0;
    std::uint8_t* bytes = engine_->loadFile(fileName, &size);
    if (bytes == nullptr) {
        return;
    }
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    engine_->freeFile(bytes);
    parse(fileName, text.data(), text.size());
}

BitmapFont::BitmapFont(const char* fileName, const std::uint8_t* bytes, std::size_t size)
    : engine_(createEngine(engineVersion)) {
    if (engine_ != nullptr && fileName != nullptr && bytes != nullptr) {
        parse(fileName, reinterpret_cast<const char*>(bytes), size);
    }
}

BitmapFont::~BitmapFont() {
    for (auto& letter : letters_) {
        letter.reset();
    }
    if (engine_ != nullptr) {
        for (TextureHandle texture : textures_) {
            engine_->freeTexture(texture);
        }
        engine_->release();
    }
}

void BitmapFont::parse(const char* fileName, const char* text, std::size_t size) {
    LineReader lines(text, size);
    char line[maxLineLength + 1];
    bool tooLong = false;
    if (!lines.next(line, &tooLong) || tooLong || std::strcmp(line, "[HGEFONT]") != 0) {
        engine_->logLine("Font %s has incorrect format.", fileName);
        return;
    }
    while (lines.next(line, &tooLong)) {
        if (tooLong) {
            continue; // a cut line could yield wrong numbers; the whole line is ignored
        }
        if (startsWith(line, "Bitmap")) {
            if (!readBitmapLine(fileName, line)) {
                return;
            }
        } else if (startsWith(line, "Char")) {
            readCharLine(line);
        }
    }
}

// False when the named sheet cannot be loaded, which ends the reading of the file.
bool BitmapFont::readBitmapLine(const char* fileName, const char* line) {
    const char* p = skipBlanks(line + std::strlen("Bitmap"));
    if (*p != '=') {
        return true;
    }
    p = skipBlanks(p + 1);
    const char* end = p;
    while (*end != '\0' && !std::isspace(static_cast<unsigned char>(*end))) {
        ++end;
    }
    if (end == p) {
        return true;
    }
    const std::string path = folderOf(fileName) + std::string(p, end);
    if (path.size() > maxPathLength) {
        return false;
    }
    const TextureHandle texture = engine_->loadTexture(path.c_str(), 0, false);
    if (texture == 0) {
        return false;
    }
    // Earlier sheets stay loaded: letters read before this line still draw from them.
    textures_.push_back(texture);
    texture_ = texture;
    return true;
}

// A line without "=", without a code, with a code above 255 or with fewer than six numbers
// defines nothing.
void BitmapFont::readCharLine(const char* line) {
    const char* p = std::strchr(line, '=');
    if (p == nullptr) {
        return;
    }
    ++p;
    const int code = readCharCode(&p);
    if (code < 0) {
        return;
    }
    int n[6];
    for (int& value : n) {
        if (!readNumber(&p, &value)) {
            return;
        }
    }
    const float width = static_cast<float>(n[2]);
    const float height = static_cast<float>(n[3]);
    letters_[code] = std::make_unique<Sprite>(texture_, static_cast<float>(n[0]),
                                              static_cast<float>(n[1]), width, height);
    letters_[code]->setColour(colour_);
    pre_[code] = static_cast<float>(n[4]);
    post_[code] = static_cast<float>(n[5]);
    if (height > height_) {
        height_ = height;
    }
}

int BitmapFont::chosenCode(char c) const {
    const unsigned char code = static_cast<unsigned char>(c);
    if (letters_[code] != nullptr) {
        return code;
    }
    constexpr int fallback = '?';
    return letters_[fallback] != nullptr ? fallback : -1;
}

void BitmapFont::render(float x, float y, int align, const char* text) {
    if (text == nullptr) {
        return;
    }
    align &= 3;
    float cx = lineStart(x, align, text);
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') {
            y += std::trunc(scale_ * height_ * lineSpacing_);
            cx = lineStart(x, align, p + 1);
            continue;
        }
        const int c = chosenCode(*p);
        if (c < 0) {
            continue;
        }
        Sprite* sprite = letters_[c].get();
        const float px = cx + scale_ * pre_[c];
        sprite->render(px, y, rotation_, scale_, 0);
        cx = px + (sprite->width() + post_[c] + tracking_) * scale_;
    }
}

void BitmapFont::printf(float x, float y, int align, const char* format, ...) {
    if (format == nullptr) {
        return;
    }
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer_, bufferSize, format, args);
    va_end(args);
    if (written < 0) {
        buffer_[0] = '\0';
    }
    render(x, y, align, buffer_);
}

float BitmapFont::stringWidth(const char* text) const {
    if (text == nullptr) {
        return 0;
    }
    float width = 0;
    for (const char* p = text; *p != '\0' && *p != '\n'; ++p) {
        const int c = chosenCode(*p);
        if (c >= 0) {
            width += letters_[c]->width() + pre_[c] + post_[c] + tracking_;
        }
    }
    return width * scale_;
}

void BitmapFont::setColour(std::uint32_t colour) {
    colour_ = colour;
    for (auto& letter : letters_) {
        if (letter != nullptr) {
            letter->setColour(colour);
        }
    }
}

float BitmapFont::lineStart(float x, int align, const char* text) const {
    if (align == alignRight) {
        return x - stringWidth(text);
    }
    if (align == alignCentre) {
        return x - std::trunc(stringWidth(text) * 0.5f);
    }
    return x;
}

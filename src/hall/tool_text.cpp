#include "hall/tool_text.h"

bool parseLevel(std::string_view text, int* level) {
    if (text.empty() || text.size() > 2 || text[0] == '0') {
        return false;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    *level = value;
    return true;
}

std::string printableName(std::string_view name) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            text += "\\x";
            text += digits[byte >> 4];
            text += digits[byte & 15];
        } else {
            text += c;
        }
    }
    return text;
}

ToolOutput& ToolOutput::operator+=(std::string_view text) {
    if (writer_) {
        writer_(text);
    } else {
        text_ += text;
    }
    return *this;
}

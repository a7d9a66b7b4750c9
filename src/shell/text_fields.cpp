#include "shell/text_fields.h"

#include <vector>

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string result(directory);
    if (!result.empty() && result.back() != '/') {
        result += '/';
    }
    if (!name.empty() && name.front() == '/') {
        return std::string(name);
    }
    result += name;
    return result;
}

std::string directoryOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return std::string();
    }
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string quoteField(std::string_view value, char separator, char quote) {
    const bool hasQuote = value.find(quote) != std::string_view::npos;
    const bool hasSeparator = value.find(separator) != std::string_view::npos;
    if (!hasQuote && !hasSeparator) {
        return std::string(value);
    }
    std::string result(1, quote);
    for (char c : value) {
        result += c;
        if (c == quote) {
            result += quote;
        }
    }
    result += quote;
    return result;
}

namespace {

// The fields of a line as they stand, quotes included; an empty line is one empty field.
std::vector<std::string_view> splitFields(std::string_view line, char separator, char quote) {
    std::vector<std::string_view> fields;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == quote) {
            inQuotes = !inQuotes;
        } else if (line[i] == separator && !inQuotes) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

int setField(std::string& line, char separator, std::string_view value, int index, char quote) {
    if (index < 0) {
        return -1;
    }
    const std::string field = quoteField(value, separator, quote);
    std::vector<std::string_view> fields = splitFields(line, separator, quote);
    const auto wanted = static_cast<std::size_t>(index);
    if (fields.size() <= wanted) {
        fields.resize(wanted + 1);
    }
    std::string result;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            result += separator;
        }
        result += i == wanted ? std::string_view(field) : fields[i];
    }
    while (!result.empty() && result.back() == separator) {
        result.pop_back();
    }
    line = std::move(result);
    return 0;
}

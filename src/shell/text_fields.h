#pragma once
// Small text helpers: joining a directory and a file name, and building a line of separated
// fields (the browser command line is built this way).

#include <string>
#include <string_view>

// Directory and name joined with one '/'. An empty directory gives the name alone; an absolute
// name ("/...") is returned unchanged; an empty name gives the directory with its separator.
std::string joinPath(std::string_view directory, std::string_view name);

// The directory part of a path, without the trailing separator; "" for a bare name.
std::string directoryOf(std::string_view path);

// The value as one field of a separated line: quote characters in it are doubled, and it is
// wrapped in quotes when it holds the separator or the quote character.
std::string quoteField(std::string_view value, char separator, char quote);

// Puts value (quoted as quoteField does) into field number index (from 0) of line. Fields
// separated outside quotes keep their order and quoting; missing fields are added empty; trailing
// separators are removed. Returns 0, or -1 for a negative index (line unchanged).
int setField(std::string& line, char separator, std::string_view value, int index, char quote);

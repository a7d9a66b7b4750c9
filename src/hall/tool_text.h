#pragma once
// How the hall tool reads a level from its command line and prints a game name.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

// Where a tool's printing goes: gathered as text, or with a writer handed on as soon as it is
// written, so that a run over every level shows each level's line as it ends.
class ToolOutput {
  public:
    ToolOutput() = default;
    explicit ToolOutput(std::function<void(std::string_view)> writer)
        : writer_(std::move(writer)) {}

    ToolOutput& operator+=(std::string_view text);
    // What was gathered; nothing when a writer takes it.
    const std::string& text() const { return text_; }

  private:
    std::function<void(std::string_view)> writer_;
    std::string text_;
};

// A level as the game writes it: 1 to 99 in decimal digits, with no sign, blank or leading zero.
// False (level untouched) for anything else.
bool parseLevel(std::string_view text, int* level);

// The name with every control byte (below 32, and 127) written as \xNN, so that a name can
// neither drive the terminal nor break a one-line report. Other bytes are kept as they are.
std::string printableName(std::string_view name);

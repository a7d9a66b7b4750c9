#pragma once
// The screens shown over the hall (menu, level done, name entry, level select, help, ...), on a
// stack: only the top one takes input and is drawn, and closing it shows the one under it
// again. While any screen is open, play and the opening stand still.

#include "shell/frame_input.h"

#include <memory>
#include <vector>

enum class ScreenKind { Menu, LevelDone, LastLevel, NameEntry, Continue, LevelSelect, Help };

// What a screen's frame decided.
enum class ScreenOutcome {
    Continue,  // the frame goes on
    FrameDone, // a level was started or the screens changed: the rest of the frame is skipped
    Quit,      // the program ends
};

class Screen {
  public:
    virtual ~Screen() = default;
    virtual ScreenKind kind() const = 0;
    // One frame of input while this screen is on top.
    virtual ScreenOutcome update(const FrameInput& in) = 0;
    // Escape while this screen is on top; by default nothing, for screens where there is no
    // "back" to go to.
    virtual ScreenOutcome back() { return ScreenOutcome::Continue; }
    virtual void render() const = 0;
};

class ScreenStack {
  public:
    void push(std::unique_ptr<Screen> screen);
    // Closes the top screen. A screen may close itself from its own update: it is destroyed at
    // the next call of forget, so the code after the pop still runs on a live object.
    void pop();
    // pop, then push.
    void replace(std::unique_ptr<Screen> screen);
    void clear();
    // Destroys the screens closed since the last call.
    void forget() { closed_.clear(); }

    bool empty() const { return screens_.empty(); }
    Screen* top() const { return screens_.empty() ? nullptr : screens_.back().get(); }
    // True when the top screen is of that kind.
    bool shows(ScreenKind kind) const { return top() != nullptr && top()->kind() == kind; }

  private:
    std::vector<std::unique_ptr<Screen>> screens_;
    std::vector<std::unique_ptr<Screen>> closed_;
};

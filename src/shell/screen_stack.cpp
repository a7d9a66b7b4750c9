#include "shell/screen_stack.h"

void ScreenStack::push(std::unique_ptr<Screen> screen) {
    if (screen != nullptr) {
        screens_.push_back(std::move(screen));
    }
}

void ScreenStack::pop() {
    if (!screens_.empty()) {
        closed_.push_back(std::move(screens_.back()));
        screens_.pop_back();
    }
}

void ScreenStack::replace(std::unique_ptr<Screen> screen) {
    pop();
    push(std::move(screen));
}

void ScreenStack::clear() {
    while (!screens_.empty()) {
        pop();
    }
}

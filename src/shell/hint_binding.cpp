#include "shell/hint_binding.h"

#include "solver/hall_hint.h"

#include <chrono>

namespace {

// How long a hint may think before it says it found none; a move or an undo stops it sooner.
constexpr auto hintBudget = std::chrono::seconds(10);

} // namespace

std::shared_ptr<HintPlan> newHintPlan() {
    return std::make_shared<HintPlan>();
}

HintSearchFn hintSearchFor(const std::string& name, int level, std::shared_ptr<HintPlan> plan) {
    return [name, level, plan](const PlayState& state, const std::atomic<bool>& stop) {
        return findHint(name, level, state, std::chrono::steady_clock::now() + hintBudget, stop,
                        plan.get());
    };
}

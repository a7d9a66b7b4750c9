#include "shell/hint_search.h"

#include <utility>

void HintSearch::start(const PlayState& state, std::uint64_t generation, HintSearchFn search) {
    finish();
    stop_ = false;
    done_ = false;
    result_.reset();
    generation_ = generation;
    status_ = Status::Searching;
    worker_ = std::thread([this, copy = state, search = std::move(search)] {
        std::optional<HintMove> found = search(copy, stop_);
        result_ = found;
        done_.store(true, std::memory_order_release);
    });
}

void HintSearch::cancel() {
    stop_ = true;
    status_ = Status::Idle;
}

void HintSearch::update(std::uint64_t currentGeneration) {
    if (generation_ != currentGeneration && status_ != Status::Idle) {
        cancel();
    }
    if (!worker_.joinable() || !done_.load(std::memory_order_acquire)) {
        return;
    }
    worker_.join();
    if (status_ != Status::Searching) {
        return; // cancelled: whatever it found is about a position gone by
    }
    status_ = result_ ? Status::Found : Status::NotFound;
    if (result_) {
        move_ = *result_;
    }
}

void HintSearch::finish() {
    if (worker_.joinable()) {
        stop_ = true;
        worker_.join();
    }
    status_ = Status::Idle;
}

#include "base/notification.h"

#include <algorithm>

namespace pondaro {

void Notification::State::leave(uint64_t id) {
    for (Listener& l : listeners)
        if (l.id == id) l.hear = nullptr;
    // While sending, the list keeps its length so the sender's place in it stays right;
    // the gaps go when the last sending ends.
    if (sending == 0) std::erase_if(listeners, [](const Listener& l) { return !l.hear; });
}

Notification::Subscription& Notification::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        cancel();
        state_ = std::move(other.state_);
        id_ = other.id_;
    }
    return *this;
}

void Notification::Subscription::cancel() {
    if (auto state = state_.lock()) state->leave(id_);
    state_.reset();
}

Notification::Subscription Notification::subscribe(std::function<void()> listener) {
    const uint64_t id = state_->nextId++;
    state_->listeners.push_back({id, std::move(listener)});
    return Subscription(state_, id);
}

void Notification::notify() {
    const std::shared_ptr<State> state = state_;
    const uint64_t joinedBefore = state->nextId;
    ++state->sending;
    for (size_t i = 0; i < state->listeners.size(); ++i) {
        if (state->listeners[i].id >= joinedBefore || !state->listeners[i].hear) continue;
        // A copy: the listener may leave, and others join, while it is being called.
        const std::function<void()> hear = state->listeners[i].hear;
        hear();
    }
    if (--state->sending == 0) std::erase_if(state->listeners, [](const Listener& l) { return !l.hear; });
}

size_t Notification::listenerCount() const {
    return size_t(std::count_if(state_->listeners.begin(), state_->listeners.end(),
                                [](const Listener& l) { return bool(l.hear); }));
}

} // namespace pondaro

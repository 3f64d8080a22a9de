#pragma once
// A notification any number of listeners hear, without either side knowing the other:
// "resources changed" tells every open window to refill its boxes. A listener hears it
// as long as the Subscription that subscribe() returned lives, so a window that keeps
// its subscription as a member stops listening when it goes away. Listeners may join
// or leave while the notification is being sent: one that left is not called any more,
// one that joined hears the next sending. A subscription may outlive its notification.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace pondaro {

class Notification {
    struct Listener {
        uint64_t id;
        std::function<void()> hear;
    };
    struct State {
        std::vector<Listener> listeners;
        uint64_t nextId = 0;
        int sending = 0;  // how deep notify() calls are nested
        void leave(uint64_t id);
    };

public:
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept : state_(std::move(other.state_)), id_(other.id_) {}
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { cancel(); }
        // Stops listening now.
        void cancel();

    private:
        friend class Notification;
        Subscription(std::weak_ptr<State> state, uint64_t id) : state_(std::move(state)), id_(id) {}
        std::weak_ptr<State> state_;
        uint64_t id_ = 0;
    };

    [[nodiscard]] Subscription subscribe(std::function<void()> listener);
    // Calls every listener, in the order they subscribed.
    void notify();
    size_t listenerCount() const;

private:
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace pondaro

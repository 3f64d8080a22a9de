// A notification and its listeners: who hears it, and joining and leaving at any time.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/notification.h"

using namespace pondaro;

TEST(Notification, ListenersHearItInOrderWhileTheirSubscriptionLives) {
    Notification changed;
    std::string heard;
    auto first = changed.subscribe([&] { heard += "1"; });
    {
        auto second = changed.subscribe([&] { heard += "2"; });
        changed.notify();
        EXPECT_EQ(changed.listenerCount(), 2u);
    }
    changed.notify();
    EXPECT_EQ(heard, "121");
    first.cancel();
    changed.notify();
    EXPECT_EQ(heard, "121");
    EXPECT_EQ(changed.listenerCount(), 0u);

    // A moved subscription keeps listening; the one it replaced stops.
    auto a = changed.subscribe([&] { heard += "a"; });
    auto b = changed.subscribe([&] { heard += "b"; });
    a = std::move(b);
    changed.notify();
    EXPECT_EQ(heard, "121b");
}

TEST(Notification, JoiningAndLeavingWhileItIsSentIsSafe) {
    Notification changed;
    std::string heard;
    std::optional<Notification::Subscription> late, second;
    auto first = changed.subscribe([&] {
        heard += "1";
        second.reset();  // leaves before its turn: not called
        if (!late) late = changed.subscribe([&] { heard += "L"; });  // hears the next one
    });
    second = changed.subscribe([&] { heard += "2"; });
    auto self = std::make_unique<Notification::Subscription>();
    *self = changed.subscribe([&] {
        heard += "S";
        self.reset();  // leaves while it is being called
    });
    changed.notify();
    EXPECT_EQ(heard, "1S");
    changed.notify();
    EXPECT_EQ(heard, "1S1L");
    EXPECT_EQ(changed.listenerCount(), 2u);
}

TEST(Notification, ASubscriptionMayOutliveItsNotification) {
    Notification::Subscription kept;
    {
        Notification changed;
        kept = changed.subscribe([] {});
    }
    kept.cancel();  // nothing left to leave: harmless
}

#pragma once
// HTTP GET through libcurl on the window thread: the transfer is driven in small steps
// and the caller's `whileWaiting` runs between them, so the windows can repaint while
// a slow server is awaited. No worker thread.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace pondaro::ui {

struct HttpGetOptions {
    long timeoutMs = 4000;        // the whole request, connection included
    size_t maxBytes = 4096;       // a longer answer counts as a failure
    std::function<void()> whileWaiting;
};

// The body of a 200 answer; nothing on any failure (unreachable server, time-out,
// another status, a body longer than maxBytes, an address that is not http or https).
std::optional<std::string> httpGet(const std::string& address, const HttpGetOptions& options);

} // namespace pondaro::ui

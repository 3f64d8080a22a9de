#pragma once
// HTTP GET through libcurl, made to run on a worker thread: the transfer is driven in
// small steps and gives up as soon as its caller cancels it, so a program that exits
// never waits for a slow server.
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>

namespace pondaro::ui {

struct HttpGetOptions {
    long timeoutMs = 4000;        // the whole request, connection included
    size_t maxBytes = 4096;       // a longer answer counts as a failure
    // Set by another thread to end the request at once, as a failure.
    const std::atomic<bool>* cancel = nullptr;
};

// The body of a 200 answer; nothing on any failure (unreachable server, time-out,
// another status, a body longer than maxBytes, an address that is not http or https,
// a cancelled request).
std::optional<std::string> httpGet(const std::string& address, const HttpGetOptions& options);

} // namespace pondaro::ui

#pragma once
// A one-thread HTTP server on 127.0.0.1 for the version check tests: it answers every
// request with a fixed status and body, or (silent) accepts and never answers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace pondaro::gui {

class LocalHttpServer {
public:
    // status 0 = silent: connections are accepted and left unanswered.
    LocalHttpServer(int status, std::string body) : status_(status), body_(std::move(body)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listener_, 8);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        for (int fd : held_) ::close(fd);
        ::close(listener_);
    }
    std::string address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/version.txt"; }
    int requests() const { return requests_; }

private:
    void serve() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0) continue;
            readRequest(fd);
            ++requests_;
            if (status_ == 0) {
                held_.push_back(fd);
                continue;
            }
            std::string answer = "HTTP/1.1 " + std::to_string(status_) + " Answer\r\nContent-Type: text/plain\r\n" +
                                 "Content-Length: " + std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                                 body_;
            size_t sent = 0;
            while (sent < answer.size()) {
                ssize_t n = ::send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += size_t(n);
            }
            ::close(fd);
        }
    }
    static void readRequest(int fd) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) return;
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            request.append(buffer, size_t(n));
        }
    }

    int status_;
    std::string body_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::vector<int> held_;
    std::thread thread_;
};

} // namespace pondaro::gui

#pragma once

// An HTTP server on 127.0.0.1 at a free port, running on its own thread for
// the life of the object; tests add their routes before start().

#include <httplib.h>

#include <atomic>
#include <string>
#include <thread>

namespace testing_support {

class LocalServer {
  public:
    LocalServer() = default;
    ~LocalServer() { stop(); }
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    httplib::Server& server() { return server_; }

    void start() {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) {
            std::this_thread::yield();
        }
    }
    void stop() {
        if (thread_.joinable()) {
            server_.stop();
            thread_.join();
        }
    }

    int port() const { return port_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

}  // namespace testing_support

#pragma once

// An HTTP server on 127.0.0.1 at a free port, running on its own thread for
// the life of the object; tests add their routes before start().

#include <httplib.h>

#include <string>
#include <thread>

namespace testing_support {

class LocalServer {
  public:
    LocalServer() = default;
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    httplib::Server& server() { return server_; }

    // Answers GET `path` with `status` and `body` of `contentType`.
    void serve(const std::string& path, int status, std::string body,
               std::string contentType = "text/html");

    // Returns once the server listens, so a stop() right after cannot leave
    // it listening.
    void start();
    void stop();

    // The port is taken on first use, so routes may name it before start().
    int port();
    std::string url(const std::string& path);

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

}  // namespace testing_support

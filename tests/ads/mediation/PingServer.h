#pragma once

// A loopback server that the mediation pings go to while it lives: it
// answers every GET with an empty page and keeps each request's target (path and
// query as sent), in arrival order.

#include <mutex>
#include <string>
#include <vector>

#include "ads/mediation/GADMUtilities.h"
#include "tests/support/LocalServer.h"

namespace mediation_test {

class PingServer {
  public:
    PingServer() {
        server_.server().Get(".*", [this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(mutex_);
            requests_.push_back(request.target);
        });
        server_.start();
        GADMUtilities::setPingBaseURL("http://127.0.0.1:" + std::to_string(server_.port()));
    }

    std::vector<std::string> requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::string url(const std::string& path) { return server_.url(path); }

  private:
    // Declared first so they outlive the server's thread.
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    testing_support::LocalServer server_;
};

}  // namespace mediation_test

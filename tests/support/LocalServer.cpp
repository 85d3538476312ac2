#include "tests/support/LocalServer.h"

#include <chrono>
#include <utility>

namespace testing_support {

LocalServer::~LocalServer() {
    stop();
}

void LocalServer::serve(const std::string& path, int status, std::string body,
                        std::string contentType) {
    server_.Get(path, [status, body = std::move(body), contentType = std::move(contentType)](
                          const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, contentType);
    });
}

void LocalServer::start() {
    port();
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void LocalServer::stop() {
    if (thread_.joinable()) {
        server_.stop();
        thread_.join();
    }
}

int LocalServer::port() {
    if (port_ == 0) {
        port_ = server_.bind_to_any_port("127.0.0.1");
    }
    return port_;
}

std::string LocalServer::url(const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(port()) + path;
}

}  // namespace testing_support

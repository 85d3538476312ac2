#pragma once

// A connection delegate that writes down every callback, for checking order
// and content.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/net/URLConnection.h"

namespace testing_support {

class RecordingDelegate : public net::URLConnectionDelegate {
  public:
    std::vector<std::string> events;
    std::vector<net::URLResponse> responses;
    std::vector<std::string> redirectsAsked;
    std::string body;
    std::optional<net::URLError> error;
    bool refuseRedirects = false;
    std::function<void(net::URLConnection&)> onData;

    std::optional<net::URLRequest> connectionWillSendRequest(
        net::URLConnection&, const net::URLRequest& request,
        const net::URLResponse* redirect) override {
        events.push_back(redirect ? "redirect" : "send");
        if (redirect) {
            redirectsAsked.push_back(request.url()->absoluteString());
            if (refuseRedirects) {
                return std::nullopt;
            }
        }
        return request;
    }
    void connectionDidReceiveResponse(net::URLConnection&, const net::URLResponse& r) override {
        events.push_back("response");
        responses.push_back(r);
    }
    void connectionDidReceiveData(net::URLConnection& c, const foundation::Data& data) override {
        if (events.empty() || events.back() != "data") {
            events.push_back("data");
        }
        body.append(data.begin(), data.end());
        if (onData) {
            onData(c);
        }
    }
    void connectionDidFinishLoading(net::URLConnection&) override { events.push_back("finish"); }
    void connectionDidFailWithError(net::URLConnection&, const net::URLError& e) override {
        events.push_back("fail");
        error = e;
    }

    bool ended() const {
        return !events.empty() && (events.back() == "finish" || events.back() == "fail");
    }
    // Runs the main loop until the load ended (or 10 s passed).
    bool waitForEnd() {
        return foundation::RunLoop::main().runUntil([this] { return ended(); }, 10.0);
    }
};

}  // namespace testing_support

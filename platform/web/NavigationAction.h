#pragma once

// A navigation about to happen: the request, why, the frame it comes from and
// the frame it targets (none when it asks for a new window).

#include <optional>

#include "platform/net/URLRequest.h"
#include "platform/web/NavigationType.h"

namespace web {

struct FrameInfo {
    bool isMainFrame = true;
    // The frame's current request (its document URL).
    net::URLRequest request;
};

struct NavigationAction {
    net::URLRequest request;
    NavigationType navigationType = NavigationType::other;
    FrameInfo sourceFrame;
    // std::nullopt: the page asks for a new window (target "_blank", window.open).
    std::optional<FrameInfo> targetFrame;
};

}  // namespace web

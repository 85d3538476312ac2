#pragma once

// What an observer of a JavaScript container hears: loads that start or
// finish after the container's own first load, and each later navigation to
// allow or refuse. Every method is optional; a navigation is allowed when
// the delegate gives no answer.

#include <optional>

#include "platform/net/URLRequest.h"
#include "platform/web/NavigationType.h"

class GADJSContainer;

class GADJSContainerDelegate {
  public:
    virtual ~GADJSContainerDelegate() = default;

    virtual void didStartLoadInJSContainer(GADJSContainer& container) {}
    virtual void didFinishLoadInJSContainer(GADJSContainer& container) {}
    virtual std::optional<bool> containerShouldStartLoadWithRequest(
        GADJSContainer& container, const net::URLRequest& request,
        web::NavigationType navigationType) {
        return std::nullopt;
    }
};

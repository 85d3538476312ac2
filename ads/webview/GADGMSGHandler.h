#pragma once

// A handler of in-ad messages: asked on the main thread for each gmsg
// navigation of an ad page, it answers whether it took the message.

#include <memory>

#include "platform/net/URLRequest.h"

class GADWebView;

class GADGMSGHandler {
  public:
    virtual ~GADGMSGHandler() = default;
    virtual bool handleRequest(const net::URLRequest& request,
                               const std::shared_ptr<GADWebView>& webView) = 0;
};

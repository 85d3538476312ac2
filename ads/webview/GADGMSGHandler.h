#pragma once

// A handler of in-ad messages: asked on the main thread for each gmsg
// navigation of an ad page, it answers whether it took the message. Most
// handlers are a fixed table from message name to one of their actions: a
// message whose name is in the table runs that action with the web view that
// sent it and the message.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ads/webview/GADNotification.h"
#include "platform/net/URLRequest.h"

class GADWebView;

class GADGMSGHandler {
  public:
    // What an action gets: the sending web view (none when gone) and the message.
    struct Arguments {
        std::shared_ptr<GADWebView> webView;
        GADNotification note;

        // The message's parameter (every one is text); nullptr when absent.
        const std::string* parameter(std::string_view key) const;
    };
    using Action = std::function<void(GADGMSGHandler&, const Arguments&)>;
    using ActionTable = std::map<std::string, Action, std::less<>>;

    GADGMSGHandler() = default;
    // The table is shared by every handler of a class.
    explicit GADGMSGHandler(std::shared_ptr<const ActionTable> actionSelectors)
        : actionSelectors_(std::move(actionSelectors)) {}
    virtual ~GADGMSGHandler() = default;

    // Runs the action the message's name picks; false for another URL or a
    // name the table does not hold.
    virtual bool handleRequest(const net::URLRequest& request,
                               const std::shared_ptr<GADWebView>& webView);
    const std::shared_ptr<const ActionTable>& actionSelectors() const { return actionSelectors_; }

  protected:
    // The action calling the member function of the handler class H.
    template <typename H>
    static Action action(void (H::*method)(const Arguments&)) {
        return [method](GADGMSGHandler& handler, const Arguments& arguments) {
            (static_cast<H&>(handler).*method)(arguments);
        };
    }

  private:
    std::shared_ptr<const ActionTable> actionSelectors_;
};

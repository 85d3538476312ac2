#include "ads/foundation/GADMNSURLConnectionFactory.h"

#include <mutex>

#include "platform/foundation/ProcessState.h"

namespace {

struct SharedFactory {
    std::mutex mutex;
    std::shared_ptr<GADMConnectionFactory> factory;
};

SharedFactory& shared() {
    static auto* const shared =
        foundation::ProcessState::withReset(new SharedFactory(), [](SharedFactory& state) {
            std::lock_guard lock(state.mutex);
            state.factory.reset();
        });
    return *shared;
}

}  // namespace

std::shared_ptr<GADMConnectionFactory> GADMNSURLConnectionFactory::sharedFactory() {
    std::lock_guard lock(shared().mutex);
    if (!shared().factory) {
        shared().factory = std::make_shared<GADMNSURLConnectionFactory>();
    }
    return shared().factory;
}

void GADMNSURLConnectionFactory::setSharedFactory(std::shared_ptr<GADMConnectionFactory> factory) {
    std::lock_guard lock(shared().mutex);
    shared().factory = std::move(factory);
}

std::shared_ptr<net::URLConnection> GADMNSURLConnectionFactory::connectionWithRequest(
    const net::URLRequest& request, const std::shared_ptr<net::URLConnectionDelegate>& delegate) {
    return connectionWithRequest(request, delegate, true);
}

std::shared_ptr<net::URLConnection> GADMNSURLConnectionFactory::connectionWithRequest(
    const net::URLRequest& request, const std::shared_ptr<net::URLConnectionDelegate>& delegate,
    bool startImmediately) {
    return net::URLConnection::make(request, delegate, startImmediately);
}

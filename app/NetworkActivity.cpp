#include "app/NetworkActivity.h"

#include <memory>

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"
#include "platform/ui/Application.h"

namespace {

std::int32_t& counter() {
    static auto* const value =
        foundation::ProcessState::withReset(new std::int32_t(0), [](auto& state) { state = 0; });
    return *value;
}

}  // namespace

void NetworkActivity::update(int delta) {
    const std::int64_t sum = static_cast<std::int64_t>(counter()) + delta;
    counter() = sum < 0 ? 0 : static_cast<std::int32_t>(std::min<std::int64_t>(sum, INT32_MAX));
    auto& application = ui::Application::shared();
    const bool visible = counter() > 0;
    if (visible != application.isNetworkActivityIndicatorVisible()) {
        application.setNetworkActivityIndicatorVisible(visible);
    }
}

std::int32_t NetworkActivity::count() {
    return counter();
}

void NetworkActivity::reset() {
    counter() = 0;
    ui::Application::shared().setNetworkActivityIndicatorVisible(false);
}

void UpdateNetworkActivity(int delta) {
    foundation::RunLoop::main().perform([delta] { NetworkActivity::update(delta); });
}

bool IsNetworkReachable() {
    static const auto* reachability =
        new std::shared_ptr<net::Reachability>(net::Reachability::withName("0.0.0.0"));
    if (!*reachability) {
        return false;
    }
    const auto flags = (*reachability)->flags();
    return flags && (*flags & net::ReachabilityFlags::reachable) != 0;
}

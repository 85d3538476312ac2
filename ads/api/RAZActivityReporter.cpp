#include "ads/api/RAZActivityReporter.h"

#include "ads/webview/RAZActivityRequest.h"
#include "ads/webview/RAZCoreController.h"
#include "ads/webview/RAZCoreMetadata.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/Thread.h"

std::shared_ptr<RAZActivityReporter> RAZActivityReporter::sharedInstance() {
    if (!foundation::Thread::isMainThread()) {
        // Made and kept on the main thread only, so no lock is needed.
        std::shared_ptr<RAZActivityReporter> reporter;
        foundation::DispatchQueue::runOnMainSync([&reporter] { reporter = sharedInstance(); });
        return reporter;
    }
    static auto* const shared =
        foundation::ProcessState::withReset(new std::shared_ptr<RAZActivityReporter>);
    if (!*shared) {
        *shared = std::make_shared<RAZActivityReporter>(RAZCoreController::sharedInstance());
    }
    return *shared;
}

RAZActivityReporter::RAZActivityReporter(std::shared_ptr<RAZCoreController> controller)
    : controller_(std::move(controller)) {}

void RAZActivityReporter::reportWithAdUnitID(
    const std::optional<std::string>& adUnitID,
    const std::optional<foundation::Dictionary>& customParameters) {
    reportWithRequest(
        *RAZActivityRequest::requestWithAdUnitID(adUnitID, std::nullopt, customParameters));
}

void RAZActivityReporter::reportWithRequest(const RAZActivityRequest& request) {
    if (controller_) {
        controller_->reportActivityWithMetadata(RAZCoreMetadata(), request);
    }
}

#include "ads/webview/RAZCoreController.h"

#include "ads/foundation/GADURLAdditions.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/Thread.h"

std::shared_ptr<RAZCoreController> RAZCoreController::sharedInstance() {
    if (!foundation::Thread::isMainThread()) {
        // Made and kept on the main thread only, so no lock is needed.
        std::shared_ptr<RAZCoreController> controller;
        foundation::DispatchQueue::runOnMainSync([&controller] { controller = sharedInstance(); });
        return controller;
    }
    static auto* const shared = foundation::ProcessState::withReset(
        new std::shared_ptr<RAZCoreController>,
        [](std::shared_ptr<RAZCoreController>& controller) { controller.reset(); });
    if (!*shared) {
        *shared = std::make_shared<RAZCoreController>();
    }
    return *shared;
}

RAZCoreController::RAZCoreController() : RAZCoreController(GADRAZCorePageURL(), kFallbackHTML) {}

RAZCoreController::RAZCoreController(const std::string& URLString,
                                     const std::string& fallbackString)
    : container_(
          GADJSContainer::make(foundation::URL::fromString(URLString),
                               foundation::Data(fallbackString.begin(), fallbackString.end()))) {}

void RAZCoreController::reportActivityWithMetadata(const GADJSONSerializable& metadata,
                                                   const GADJSONSerializable& request) {
    if (!container_) {
        return;
    }
    container_->invokeJavaScriptFromString("dezuvo.contentads.raz.reportActivity(" +
                                           metadata.JSONStringValue().value_or("null") + "," +
                                           request.JSONStringValue().value_or("null") + ")");
}

std::string RAZCoreController::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    return container_ ? container_->stringByEvaluatingJavaScriptFromString(script) : "";
}

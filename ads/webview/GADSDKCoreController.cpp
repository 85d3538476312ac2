#include "ads/webview/GADSDKCoreController.h"

#include <mutex>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"

namespace {

std::mutex& sharedLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::shared_ptr<GADSDKCoreController>& sharedController() {
    static auto* controller = foundation::ProcessState::withReset(
        new std::shared_ptr<GADSDKCoreController>, [](auto& state) {
            std::lock_guard<std::mutex> lock(sharedLock());
            state.reset();
        });
    return *controller;
}

}  // namespace

std::shared_ptr<GADSDKCoreController> GADSDKCoreController::sharedInstance() {
    std::lock_guard<std::mutex> lock(sharedLock());
    if (!sharedController()) {
        sharedController() = std::make_shared<GADSDKCoreController>();
    }
    return sharedController();
}

void GADSDKCoreController::setSharedInstance(std::shared_ptr<GADSDKCoreController> controller) {
    std::lock_guard<std::mutex> lock(sharedLock());
    sharedController() = std::move(controller);
}

void GADSDKCoreController::buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>& delegate) {
    foundation::DispatchQueue::main()->async([delegate] {
        if (auto live = delegate.lock()) {
            live->failedJavaScriptFile();
        }
    });
}

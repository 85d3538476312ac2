#pragma once

// Stands for the SDK-core page in slot tests: keeps every request so the
// test answers it.

#include <memory>
#include <vector>

#include "ads/webview/GADSDKCoreController.h"

class FakeSDKCoreController : public GADSDKCoreController {
  public:
    void buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>& delegate) override {
        requests.push_back(delegate);
    }
    std::vector<std::weak_ptr<GADSDKCoreControllerDelegate>> requests;
};

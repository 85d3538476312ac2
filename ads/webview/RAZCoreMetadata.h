#pragma once

// What every RAZ activity report says about the component: the device's
// request keys (read when the text is made) and the component's version.

#include "ads/webview/GADJSONSerializable.h"
#include "platform/foundation/Value.h"

class RAZCoreMetadata : public GADJSONSerializable {
  public:
    // {"major": 6, "minor": 12, "patch": 2}.
    static foundation::Dictionary SDKVersion();

    // {"gad_device": {...}, "sdk_version": {...}}, in this order.
    std::optional<std::string> JSONStringValue() const override;
};

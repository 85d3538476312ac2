#pragma once

// A publisher's banner class placed in the mediation waterfall by name: it
// loads a banner for a size and reports through its delegate. Classes are
// registered for this type in the class registry under their own names,
// adopting the protocol kProtocolName.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADAdSize.h"
#include "ads/mediation/GADCustomEventBannerDelegate.h"
#include "ads/mediation/GADCustomEventRequest.h"
#include "platform/foundation/Value.h"

class GADCustomEventBanner {
  public:
    static constexpr const char* kProtocolName = "GADCustomEventBanner";

    virtual ~GADCustomEventBanner() = default;

    // The response's "parameter" (any value) and "label" for this event.
    virtual void requestBannerAd(GADAdSize adSize, const foundation::Value& parameter,
                                 const std::optional<std::string>& label,
                                 const std::shared_ptr<GADCustomEventRequest>& request) = 0;
    virtual std::shared_ptr<GADCustomEventBannerDelegate> delegate() const = 0;
    virtual void setDelegate(const std::weak_ptr<GADCustomEventBannerDelegate>& delegate) = 0;
};

#pragma once

// Network extras of the component's own ad network: additional parameters
// sent under "extras". Keys with a leading underscore are instructions for
// the component ("_useOnce", "_orientation", "_ad", "_adHeaders", "_requestUrl").

#include <optional>
#include <string>

#include "ads/api/GADAdNetworkExtras.h"
#include "platform/foundation/Value.h"

class GADZiZezExtras : public GADAdNetworkExtras {
  public:
    std::string className() const override { return "GADZiZezExtras"; }

    const std::optional<foundation::Dictionary>& additionalParameters() const {
        return additionalParameters_;
    }
    void setAdditionalParameters(std::optional<foundation::Dictionary> parameters) {
        additionalParameters_ = std::move(parameters);
    }

  private:
    std::optional<foundation::Dictionary> additionalParameters_;
};

#pragma once

// The extra parameters a publisher gives each custom event of a request,
// one dictionary per custom-event label.

#include <map>
#include <optional>
#include <string>

#include "ads/api/GADAdNetworkExtras.h"
#include "platform/foundation/Value.h"

class GADCustomEventExtras : public GADAdNetworkExtras {
  public:
    static constexpr const char* kClassName = "GADCustomEventExtras";

    std::string className() const override { return kClassName; }

    // Stores the extras under the label (nullopt extras remove it); without
    // a label nothing is stored and the publisher log says so.
    void setExtras(const std::optional<foundation::Dictionary>& extras,
                   const std::optional<std::string>& label);
    std::optional<foundation::Dictionary> extrasForLabel(const std::string& label) const;
    void removeAllExtras() { extras_.clear(); }
    const std::map<std::string, foundation::Dictionary>& allExtras() const { return extras_; }

  private:
    std::map<std::string, foundation::Dictionary> extras_;
};

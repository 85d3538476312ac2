#pragma once

// What a slot hands a mediated response to: the glue between the slot and
// the mediation waterfall, made from the class registered as "GADMToGADGlue"
// when the slot is made. The glue reports the one outcome of each response
// through the slot's state operations.

#include <memory>
#include <optional>
#include <string>

class GADAd;
class GADAdType;
class GADSlot;

namespace ui {
class ViewController;
}  // namespace ui

class GADSlotMediationGlue {
  public:
    // The registered class name the slot looks up.
    static constexpr const char* kClassName = "GADMToGADGlue";

    virtual ~GADSlotMediationGlue() = default;

    virtual void setSlot(const std::weak_ptr<GADSlot>& slot) = 0;
    // The ad's body holds the mediation configuration as JSON.
    virtual void processMediationAdResponse(const std::shared_ptr<GADAd>& ad) = 0;
    // Whether the mediated ad on show takes the new type without a new request.
    virtual bool changeAdTypeTo(const std::shared_ptr<GADAdType>& type) = 0;
    // Nothing of a running mediation reaches the slot afterwards.
    virtual void cancel() = 0;
    // The adapter class of the network whose ad is shown; nullopt for none.
    virtual std::optional<std::string> shownAdapterClassName() const { return std::nullopt; }
    // The interstitial object the shown network delivered, if it is alive.
    virtual std::shared_ptr<void> mediatedInterstitial() const { return nullptr; }
    virtual void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>&) {}
};

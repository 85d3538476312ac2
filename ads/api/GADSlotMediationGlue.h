#pragma once

// What a slot hands a mediated response to: the glue between the slot and
// the mediation waterfall, made from the class registered as "GADMToGADGlue"
// when the slot is made. The glue reports the one outcome of each response
// through the slot's state operations.

#include <memory>

class GADAd;
class GADAdType;
class GADSlot;

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
};

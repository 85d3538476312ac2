#include "ads/mediation/GADCustomEventExtras.h"

#include "ads/foundation/GADMacros.h"

void GADCustomEventExtras::setExtras(const std::optional<foundation::Dictionary>& extras,
                                     const std::optional<std::string>& label) {
    if (!label) {
        GADMacros::pubLog("Must specify a label for extras.");
        return;
    }
    if (extras) {
        extras_[*label] = *extras;
    } else {
        extras_.erase(*label);
    }
}

std::optional<foundation::Dictionary> GADCustomEventExtras::extrasForLabel(
    const std::string& label) const {
    const auto found = extras_.find(label);
    if (found == extras_.end()) {
        return std::nullopt;
    }
    return found->second;
}

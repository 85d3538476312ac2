#include "platform/ui/AlertCenter.h"

#include <algorithm>

#include "platform/foundation/ProcessState.h"

namespace ui {

AlertCenter& AlertCenter::shared() {
    static AlertCenter* center = foundation::ProcessState::withReset(new AlertCenter());
    return *center;
}

void AlertCenter::add(const std::shared_ptr<Alert>& alert) {
    if (std::find(alerts_.begin(), alerts_.end(), alert) == alerts_.end()) {
        alerts_.push_back(alert);
        history_.push_back(alert);
    }
}

void AlertCenter::remove(const Alert* alert) {
    alerts_.erase(std::remove_if(alerts_.begin(), alerts_.end(),
                                 [&](const auto& a) { return a.get() == alert; }),
                  alerts_.end());
}

void AlertCenter::reset() {
    alerts_.clear();
    history_.clear();
}

}  // namespace ui

#pragma once

// The alerts and action sheets on screen, oldest first, for tests and the
// host to read and tap. Keeps each alive while it is shown.

#include <memory>
#include <vector>

#include "platform/ui/Alert.h"

namespace ui {

class AlertCenter {
  public:
    static AlertCenter& shared();

    const std::vector<std::shared_ptr<Alert>>& visibleAlerts() const { return alerts_; }
    // The newest alert, or nullptr.
    std::shared_ptr<Alert> topAlert() const { return alerts_.empty() ? nullptr : alerts_.back(); }
    // Every alert shown since the last reset, also those gone.
    const std::vector<std::shared_ptr<Alert>>& history() const { return history_; }

    void add(const std::shared_ptr<Alert>& alert);
    void remove(const Alert* alert);
    // Forgets every alert without telling anyone.
    void reset();

  private:
    std::vector<std::shared_ptr<Alert>> alerts_;
    std::vector<std::shared_ptr<Alert>> history_;
};

}  // namespace ui

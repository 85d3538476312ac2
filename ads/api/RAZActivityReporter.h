#pragma once

// Reports the publisher's activity (an ad unit with custom parameters)
// through the RAZ core page. Offered to the publisher; the component itself
// reports nothing through it.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class RAZActivityRequest;
class RAZCoreController;

class RAZActivityReporter {
  public:
    // One for the process, over the shared RAZ core controller.
    static std::shared_ptr<RAZActivityReporter> sharedInstance();
    explicit RAZActivityReporter(std::shared_ptr<RAZCoreController> controller);

    const std::shared_ptr<RAZCoreController>& controller() const { return controller_; }

    void reportWithAdUnitID(const std::optional<std::string>& adUnitID,
                            const std::optional<foundation::Dictionary>& customParameters);
    // The request with the component's metadata.
    void reportWithRequest(const RAZActivityRequest& request);

  private:
    std::shared_ptr<RAZCoreController> controller_;
};

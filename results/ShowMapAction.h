#pragma once

// Shows a place through a map-search URL.

#include <memory>
#include <optional>
#include <string>

#include "results/OpenUrlAction.h"

class ShowMapAction : public OpenUrlAction {
  public:
    // The map-search service's host.
    static constexpr const char* mapHost = "maps.example.com";

    explicit ShowMapAction(std::string location);
    static std::shared_ptr<ShowMapAction> actionWithLocation(std::string location);
    // "http://" host "/maps?q=" and the location percent-escaped as UTF-8.
    static std::optional<foundation::URL> urlForLocation(const std::string& location);

    const std::string& location() const { return location_; }

    std::string title() const override;
    std::string alertTitle() const override;
    std::string alertMessage() const override;
    std::string alertButtonTitle() const override;

  private:
    std::string location_;
};

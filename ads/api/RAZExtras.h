#pragma once

// Extras of the RAZ publisher classes: the additional parameters plus a
// publisher-provided identifier sent as "ppid".

#include <optional>
#include <string>

#include "ads/api/GADZiZezExtras.h"

class RAZExtras : public GADZiZezExtras {
  public:
    std::string className() const override { return "RAZExtras"; }

    const std::optional<std::string>& publisherProvidedID() const { return publisherProvidedID_; }
    void setPublisherProvidedID(std::optional<std::string> identifier) {
        publisherProvidedID_ = std::move(identifier);
    }

  private:
    std::optional<std::string> publisherProvidedID_;
};

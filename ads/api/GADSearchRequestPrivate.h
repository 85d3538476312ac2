#pragma once

// The search request every caller gets: it sets a solid background or a
// gradient, each clearing the other.

#include "ads/api/GADSearchRequest.h"

class GADSearchRequestPrivate : public GADSearchRequest {
  public:
    GADSearchRequestPrivate() = default;

    void setBackgroundSolid(const std::optional<graphics::Color>& color) override;
    // Only when both colours are given.
    void setBackgroundGradientFrom(const std::optional<graphics::Color>& from,
                                   const std::optional<graphics::Color>& to) override;
};

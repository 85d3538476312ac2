#pragma once

// The parsed parameters of an MRAID ad's resize message: the size, the
// offset from the ad's place, where its close area sits and whether it may
// leave the screen.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

enum GADMRAIDCustomClosePosition : std::int64_t {
    GADMRAIDCustomClosePositionTopRight = 0,
    GADMRAIDCustomClosePositionTopCenter = 1,
    GADMRAIDCustomClosePositionTopLeft = 2,
    GADMRAIDCustomClosePositionCenter = 3,
    GADMRAIDCustomClosePositionBottomRight = 4,
    GADMRAIDCustomClosePositionBottomCenter = 5,
    GADMRAIDCustomClosePositionBottomLeft = 6,
};

// "top-right" ... "bottom-left"; any other text is top-right.
GADMRAIDCustomClosePosition GADMRAIDCustomClosePositionFromString(const std::string& text);

// All six keys are present.
bool GADMRAIDResizePropertiesDictionaryIsValid(const foundation::Dictionary& dictionary);

class GADMRAIDResizeProperties {
  public:
    // nullptr unless all six keys are present. Numbers are read as the
    // platform reads a double from text (its leading number, else 0); the
    // off-screen flag as it reads a boolean ("1", "true", "YES").
    static std::shared_ptr<GADMRAIDResizeProperties> MRAIDResizePropertiesWithDictionary(
        const foundation::Dictionary& dictionary);

    // The four numbers were numbers as a whole, finite, the size above 0
    // and neither size nor offset beyond `limit` points.
    bool hasUsableValues(double limit) const { return usable_ && fitsWithin(limit); }

    graphics::Size size;
    graphics::Vector offset;
    std::int64_t customClosePosition = GADMRAIDCustomClosePositionTopRight;
    bool allowOffscreen = false;

  private:
    bool fitsWithin(double limit) const;
    bool usable_ = false;
};

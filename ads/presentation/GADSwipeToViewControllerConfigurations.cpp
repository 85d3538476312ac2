#include "ads/presentation/GADSwipeToViewControllerConfigurations.h"

#include <cmath>
#include <cstdint>

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADUtilities.h"

std::shared_ptr<GADSwipeToViewControllerConfigurations>
GADSwipeToViewControllerConfigurations::make(
    const std::optional<foundation::Value>& configurations) {
    if (!configurations || !configurations->isDictionary() ||
        !GADDevice::currentDevice().isOSAtLeastMajor(7, 0, 0)) {
        return nullptr;
    }
    return std::make_shared<GADSwipeToViewControllerConfigurations>(
        *configurations->asDictionary());
}

GADSwipeToViewControllerConfigurations::GADSwipeToViewControllerConfigurations(
    const foundation::Dictionary& configurations) {
    const foundation::Value settings(configurations);
    const foundation::Value productID = settings["app_store_product_id"];
    if (productID.isNumber() && !productID.isBoolean()) {
        productID_ = productID;
    }
    if (const foundation::Array* list = settings["swipeable_rectangles"].asArray()) {
        std::vector<graphics::Rect> rectangles;
        for (const foundation::Value& element : *list) {
            const foundation::Dictionary* rectangle = element.asDictionary();
            if (!rectangle) {
                continue;
            }
            foundation::Error error;
            error.code = 0;
            const graphics::Rect made = GADRectFromSDKCoreDictionary(*rectangle, &error);
            if (error.domain.empty()) {
                rectangles.push_back(made);
            }
        }
        if (!rectangles.empty()) {
            rectangles_ = std::move(rectangles);
        }
    }
    if (const foundation::Dictionary* metadata =
            settings["swipe_event_creative_metadata"].asDictionary()) {
        metadata_ = *metadata;
    }
    const foundation::Value duration = settings["swipe_animation_transition_duration"];
    if (duration.isNumber() && duration.doubleValue() > 0) {
        duration_ = duration.doubleValue();
    }
}

std::optional<std::string>
GADSwipeToViewControllerConfigurations::swipeableInAppStoreProductIDString() const {
    if (!productID_) {
        return std::nullopt;
    }
    if (productID_->isReal()) {
        const double number = productID_->doubleValue();
        // Whole numbers within the integers' range read as integers.
        if (std::abs(number) < 9.0e18 && number == std::trunc(number)) {
            return std::to_string(static_cast<std::int64_t>(number));
        }
    }
    return productID_->stringValue();
}

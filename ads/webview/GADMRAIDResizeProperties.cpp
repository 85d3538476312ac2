#include "ads/webview/GADMRAIDResizeProperties.h"

#include <cmath>
#include <map>
#include <optional>

namespace {

constexpr const char* kKeys[] = {
    "width", "height", "offsetX", "offsetY", "customClosePosition", "allowOffscreen"};

// The whole text as a finite number, or nullopt.
std::optional<double> wholeNumber(const foundation::Value& value) {
    if (value.isNumber()) {
        return std::isfinite(value.doubleValue()) ? std::optional<double>(value.doubleValue())
                                                  : std::nullopt;
    }
    const std::string* text = value.asString();
    if (!text || text->empty()) {
        return std::nullopt;
    }
    std::size_t used = 0;
    try {
        const double number = std::stod(*text, &used);
        if (used == text->size() && std::isfinite(number)) {
            return number;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

GADMRAIDCustomClosePosition GADMRAIDCustomClosePositionFromString(const std::string& text) {
    static const std::map<std::string, GADMRAIDCustomClosePosition> positions = {
        {"top-right", GADMRAIDCustomClosePositionTopRight},
        {"top-center", GADMRAIDCustomClosePositionTopCenter},
        {"top-left", GADMRAIDCustomClosePositionTopLeft},
        {"center", GADMRAIDCustomClosePositionCenter},
        {"bottom-right", GADMRAIDCustomClosePositionBottomRight},
        {"bottom-center", GADMRAIDCustomClosePositionBottomCenter},
        {"bottom-left", GADMRAIDCustomClosePositionBottomLeft},
    };
    const auto found = positions.find(text);
    return found == positions.end() ? GADMRAIDCustomClosePositionTopRight : found->second;
}

bool GADMRAIDResizePropertiesDictionaryIsValid(const foundation::Dictionary& dictionary) {
    for (const char* key : kKeys) {
        if (dictionary.find(key) == dictionary.end()) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<GADMRAIDResizeProperties>
GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(
    const foundation::Dictionary& dictionary) {
    if (!GADMRAIDResizePropertiesDictionaryIsValid(dictionary)) {
        return nullptr;
    }
    auto properties = std::make_shared<GADMRAIDResizeProperties>();
    const foundation::Value values(dictionary);
    properties->size = {values["width"].doubleValue(), values["height"].doubleValue()};
    properties->offset = {values["offsetX"].doubleValue(), values["offsetY"].doubleValue()};
    properties->customClosePosition =
        GADMRAIDCustomClosePositionFromString(values["customClosePosition"].stringValue());
    properties->allowOffscreen = values["allowOffscreen"].boolValue();
    const auto width = wholeNumber(values["width"]);
    const auto height = wholeNumber(values["height"]);
    properties->usable_ = width && height && wholeNumber(values["offsetX"]) &&
                          wholeNumber(values["offsetY"]) && *width > 0 && *height > 0;
    return properties;
}

bool GADMRAIDResizeProperties::fitsWithin(double limit) const {
    return size.width <= limit && size.height <= limit && std::fabs(offset.dx) <= limit &&
           std::fabs(offset.dy) <= limit;
}

#include "ads/api/GADSearchRequest.h"

#include <cstdio>

#include "ads/api/GADRequest.h"
#include "ads/api/GADSearchRequestPrivate.h"
#include "platform/foundation/Value.h"

std::shared_ptr<GADSearchRequest> GADSearchRequest::make() {
    return std::make_shared<GADSearchRequestPrivate>();
}

std::optional<std::string> GADSearchRequest::hexStringFromColor(const graphics::Color& color) {
    const auto components = color.components();
    double red = 0;
    double green = 0;
    double blue = 0;
    if (color.model() == graphics::ColorSpaceModel::monochrome && !components.empty()) {
        red = green = blue = components[0];
    } else if (color.model() == graphics::ColorSpaceModel::rgb && components.size() >= 3) {
        red = components[0];
        green = components[1];
        blue = components[2];
    } else {
        return std::nullopt;
    }
    // Truncated toward zero, kept within a byte.
    auto channel = [](double value) {
        const double scaled = value * 255;
        return scaled <= 0 ? 0u : scaled >= 255 ? 255u : static_cast<unsigned>(scaled);
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(red), channel(green), channel(blue));
    return std::string(text);
}

std::string GADSearchRequest::getBorderTypeString(std::uint64_t type) {
    static const char* const names[] = {"none", "dashed", "dotted", "solid"};
    return type < std::size(names) ? names[type] : "";
}

std::string GADSearchRequest::getCallButtonTypeString(std::uint64_t type) {
    static const char* const names[] = {"light", "medium", "dark"};
    return type < std::size(names) ? names[type] : "";
}

std::shared_ptr<GADRequest> GADSearchRequest::request() const {
    auto request = GADRequest::request();
    foundation::Dictionary parameters;
    if (query_) {
        parameters["q"] = *query_;
    }
    auto putColor = [&parameters](const char* key, const std::optional<graphics::Color>& color) {
        if (!color) {
            return;
        }
        if (auto hex = hexStringFromColor(*color)) {
            parameters[key] = *hex;
        }
    };
    putColor("bgcolor", backgroundColor_);
    putColor("gradientfrom", gradientFrom_);
    putColor("gradientto", gradientTo_);
    putColor("hcolor", headerColor_);
    putColor("dcolor", descriptionTextColor_);
    putColor("acolor", anchorTextColor_);
    if (fontFamily_) {
        parameters["font"] = *fontFamily_;
    }
    parameters["headersize"] = std::to_string(headerTextSize_);
    putColor("bcolor", borderColor_);
    if (auto type = getBorderTypeString(borderType_); !type.empty()) {
        parameters["btype"] = type;
    }
    parameters["bthick"] = std::to_string(borderThickness_);
    if (customChannels_) {
        parameters["channel"] = *customChannels_;
    }
    if (auto style = getCallButtonTypeString(callButtonColor_); !style.empty()) {
        parameters["callbuttoncolor"] = style;
    }
    request->setAdditionalParameters(parameters);
    return request;
}

#include "ads/foundation/GADUtilities.h"

#include "ads/foundation/GADMacros.h"

bool GADCategoryMethodsAreLoaded() {
    return true;
}

std::optional<std::vector<foundation::URL>> GADURLArrayFromStrings(
    const foundation::Array& strings) {
    std::vector<foundation::URL> urls;
    for (const foundation::Value& element : strings) {
        const std::string* text = element.asString();
        if (!text) {
            continue;
        }
        if (std::optional<foundation::URL> url = foundation::URL::fromString(*text)) {
            urls.push_back(*url);
        }
    }
    if (urls.empty()) {
        return std::nullopt;
    }
    return urls;
}

graphics::Rect GADRectFromSDKCoreDictionary(const foundation::Dictionary& dictionary,
                                            foundation::Error* error) {
    foundation::Value value(dictionary);
    for (const char* key : {"x", "y", "width", "height"}) {
        if (!value[key].isNumber()) {
            if (error) {
                *error =
                    foundation::Error{"cg_rect_conversion", 1,
                                      "Invalid SDK Core rectangle " + value.description() + "."};
            }
            return graphics::Rect();
        }
    }
    return graphics::Rect(value["x"].doubleValue(), value["y"].doubleValue(),
                          value["width"].doubleValue(), value["height"].doubleValue());
}

foundation::Dictionary GADRectDictionary(const graphics::Rect& rect) {
    return foundation::Dictionary{{"x", rect.origin.x},
                                  {"y", rect.origin.y},
                                  {"width", rect.size.width},
                                  {"height", rect.size.height}};
}

foundation::Dictionary GADRectDictionaryWithShortKeys(const graphics::Rect& rect) {
    graphics::Rect standard = rect.standardized();
    return foundation::Dictionary{{"x", standard.origin.x},
                                  {"y", standard.origin.y},
                                  {"w", standard.size.width},
                                  {"h", standard.size.height}};
}

void GADRunSyncOnMainThread(const std::function<void()>& block) {
    GADMacros::runSynchronouslyOnMainThreadWithBlock(block);
}

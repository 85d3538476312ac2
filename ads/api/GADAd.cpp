#include "ads/api/GADAd.h"

#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADUtilities.h"
#include "ads/webview/GADSDKCoreGMSGHandler.h"

namespace {

const std::string* stringForKey(const foundation::Dictionary& dictionary, std::string_view key) {
    auto found = dictionary.find(key);
    return found == dictionary.end() ? nullptr : found->second.asString();
}

std::optional<foundation::URL> URLForKey(const foundation::Dictionary& dictionary,
                                         std::string_view key) {
    const std::string* text = stringForKey(dictionary, key);
    return text ? foundation::URL::fromString(*text) : std::nullopt;
}

// The URLs of an array of strings under the key.
std::vector<foundation::URL> URLsForKey(const foundation::Dictionary& dictionary,
                                        std::string_view key) {
    auto found = dictionary.find(key);
    const foundation::Array* strings =
        found == dictionary.end() ? nullptr : found->second.asArray();
    if (!strings) {
        return {};
    }
    return GADURLArrayFromStrings(*strings).value_or(std::vector<foundation::URL>());
}

}  // namespace

std::int64_t GADOrientationFromString(std::string_view text) {
    if (text == "any") {
        return 1;
    }
    if (text == "portrait") {
        return 2;
    }
    if (text == "landscape") {
        return 3;
    }
    return 0;
}

void GADAd::installSDKCoreAdMaker() {
    GADSDKCoreGMSGHandler::setAdMaker(
        [](const foundation::Dictionary& ad) { return std::make_shared<GADAd>(ad); });
}

GADAd::GADAd()
    : statistics_(
          GADStatisticDictionary::make(GADApplication::sharedApplication().shared_from_this())) {}

GADAd::GADAd(const foundation::Dictionary& dictionary) : GADAd() {
    const std::string* html = stringForKey(dictionary, "ad_html");
    std::optional<foundation::URL> baseURL = URLForKey(dictionary, "ad_base_url");
    if (html && !html->empty() && baseURL) {
        adHTML_ = *html;
        adBaseURL_ = std::move(baseURL);
    } else {
        adURL_ = URLForKey(dictionary, "ad_url");
    }

    const std::string* sizeText = stringForKey(dictionary, "ad_size");
    size_ = GADAdSizeFromCGSize(
        GADCGSizeFromAdSizeString(sizeText ? std::optional<std::string>(*sizeText) : std::nullopt));

    const std::string* orientation = stringForKey(dictionary, "orientation");
    const std::int64_t orientations = orientation ? GADOrientationFromString(*orientation) : 0;
    supportedOrientations_ = orientations == 2 || orientations == 3 ? orientations : 1;

    auto javaScript = dictionary.find("ad_is_javascript");
    if (javaScript != dictionary.end() && javaScript->second.isNumber()) {
        hasAdNetworkJavaScript_ = javaScript->second.boolValue();
        if (hasAdNetworkJavaScript_) {
            adNetworkPassbackURL_ = URLForKey(dictionary, "ad_passback_url");
        }
    }
    if (const std::string* dialog = stringForKey(dictionary, "debug_dialog")) {
        debugDialog_ = *dialog;
    }
    auto activeView = dictionary.find("active_view");
    if (activeView != dictionary.end() && activeView->second.isDictionary()) {
        activeViewConfigurations_ = *activeView->second.asDictionary();
    }
    auto swipe = dictionary.find("swipe_to_viewcontroller");
    if (swipe != dictionary.end() && swipe->second.isDictionary()) {
        swipeToViewControllerConfigurations_ = swipe->second;
    }
    addClickURLsFromArray(URLsForKey(dictionary, "click_urls"));
    addImpressionURLsFromArray(URLsForKey(dictionary, "impression_urls"));
    addManualImpressionURLsFromArray(URLsForKey(dictionary, "manual_impression_urls"));
}

void GADAd::URLList::add(const std::vector<foundation::URL>& more) {
    for (const foundation::URL& url : more) {
        if (texts.insert(url.absoluteString()).second) {
            urls.push_back(url);
        }
    }
}

void GADAd::addClickURLsFromArray(const std::vector<foundation::URL>& urls) {
    clickURLs_.add(urls);
}

void GADAd::addImpressionURLsFromArray(const std::vector<foundation::URL>& urls) {
    impressionURLs_.add(urls);
}

void GADAd::addManualImpressionURLsFromArray(const std::vector<foundation::URL>& urls) {
    manualImpressionURLs_.add(urls);
}

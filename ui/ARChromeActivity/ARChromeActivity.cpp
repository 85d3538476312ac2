#include "ui/ARChromeActivity/ARChromeActivity.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/ui/Application.h"

namespace {

constexpr const char* kCallbackScheme = "googlechrome-x-callback://";
constexpr const char* kEscapedToo = "!*'();:@&=+$,/?%#[]";

bool isWebURL(const std::string& text) {
    const auto url = foundation::URL::fromString(text);
    return url && (url->scheme() == "http" || url->scheme() == "https");
}

std::string escaped(const std::string& text) {
    return foundation::addingPercentEscapes(text, kEscapedToo);
}

}  // namespace

ARChromeActivity::ARChromeActivity() {
    commonInit();
}

ARChromeActivity::ARChromeActivity(std::optional<foundation::URL> callbackURL) {
    commonInit();
    callbackURL_ = std::move(callbackURL);
}

void ARChromeActivity::commonInit() {
    callbackSource_ =
        foundation::Bundle::main().objectForInfoDictionaryKey("CFBundleName").stringValue();
    title_ = "Open in Chrome";
}

graphics::Image::Ptr ARChromeActivity::activityImage() const {
    return graphics::Image::imageNamed("ARChromeActivity");
}

bool ARChromeActivity::canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    if (callbackURL_ && !ui::Application::shared().canOpenURL(kCallbackScheme)) {
        return false;
    }
    for (const auto& item : items) {
        if (const auto* url = std::get_if<ui::ActivityURL>(&item); url && isWebURL(url->url)) {
            return true;
        }
    }
    return false;
}

void ARChromeActivity::prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    for (const auto& item : items) {
        if (const auto* url = std::get_if<ui::ActivityURL>(&item); url && isWebURL(url->url)) {
            activityURL_ = url->url;
            return;
        }
    }
}

std::optional<std::string> ARChromeActivity::chromeURL() const {
    if (!activityURL_) {
        return std::nullopt;
    }
    // A value that is not there (no callback URL, no application name) is
    // left out rather than sent empty.
    std::string text =
        std::string(kCallbackScheme) + "x-callback-url/open/?url=" + escaped(*activityURL_);
    if (callbackURL_) {
        text += "&x-success=" + escaped(callbackURL_->absoluteString());
    }
    if (!callbackSource_.empty()) {
        text += "&x-source=" + escaped(callbackSource_);
    }
    return text;
}

void ARChromeActivity::performActivity() {
    if (auto url = chromeURL()) {
        ui::Application::shared().openURL(*url);
    }
    activityDidFinish(true);
}

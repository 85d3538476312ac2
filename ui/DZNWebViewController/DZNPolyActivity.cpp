#include "ui/DZNWebViewController/DZNPolyActivity.h"

#include <array>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/URL.h"
#include "platform/ui/Application.h"
#include "platform/ui/Pasteboard.h"

namespace {

struct TypeInfo {
    const char* activityType;
    const char* title;
    const char* image;
};

constexpr std::array<TypeInfo, 5> kTypes = {{
    {"com.trevask.DZNWebViewController.activity.CopyLink", "Copy Link", "dzn_icn_activity_link"},
    {"com.trevask.DZNWebViewController.activity.OpenInSafari", "Open in Safari",
     "dzn_icn_activity_safari"},
    {"com.trevask.DZNWebViewController.activity.OpenInChrome", "Open in Chrome",
     "dzn_icn_activity_chrome"},
    {"com.trevask.DZNWebViewController.activity.OpenInOperaMini", "Open in Opera",
     "dzn_icn_activity_opera"},
    {"com.trevask.DZNWebViewController.activity.OpenInDolphin", "Open in Dolphin",
     "dzn_icn_activity_dolphin"},
}};

// The first item that is a string (or URL) forming a URL.
std::optional<std::string> firstURL(const std::vector<ui::ActivityItem>& items) {
    for (const auto& item : items) {
        std::string text;
        if (const auto* string = std::get_if<std::string>(&item)) {
            text = *string;
        } else if (const auto* url = std::get_if<ui::ActivityURL>(&item)) {
            text = url->url;
        } else {
            continue;
        }
        if (foundation::URL::fromString(text)) {
            return text;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string DZNPolyActivity::activityType() const {
    return type_ < kTypes.size() ? kTypes[type_].activityType : "";
}

std::string DZNPolyActivity::activityTitle() const {
    return type_ < kTypes.size() ? foundation::localizedString(kTypes[type_].title) : "";
}

graphics::Image::Ptr DZNPolyActivity::activityImage() const {
    return type_ < kTypes.size() ? graphics::Image::imageNamed(kTypes[type_].image) : nullptr;
}

std::optional<std::string> DZNPolyActivity::targetURL(const std::string& url) const {
    switch (type_) {
        case copyLink:
        case openInSafari:
            return url;
        case openInChrome:
        case openInOpera:
        case openInDolphin:
            return customURLWithURL(url, type_);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> DZNPolyActivity::urlOf(
    const std::vector<ui::ActivityItem>& items) const {
    return pageURL_ ? pageURL_ : firstURL(items);
}

bool DZNPolyActivity::canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    const auto url = urlOf(items);
    if (!url) {
        return false;
    }
    if (type_ == copyLink) {
        return true;
    }
    const auto target = targetURL(*url);
    return target && ui::Application::shared().canOpenURL(*target);
}

void DZNPolyActivity::prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) {
    url_ = urlOf(items);
}

void DZNPolyActivity::performActivity() {
    const auto target = url_ ? targetURL(*url_) : std::nullopt;
    if (!target) {
        activityDidFinish(false);
        return;
    }
    if (type_ == copyLink) {
        ui::Pasteboard::generalPasteboard().setURL(*target);
        activityDidFinish(true);
        return;
    }
    activityDidFinish(ui::Application::shared().openURL(*target));
}

std::optional<std::string> DZNPolyActivity::customURLWithURL(const std::string& url,
                                                             unsigned type) {
    const auto parsed = foundation::URL::fromString(url);
    if (!parsed) {
        return std::nullopt;
    }
    const std::string scheme = parsed->scheme();
    const bool secure = scheme == "https";
    if (scheme != "http" && !secure) {
        return std::nullopt;
    }
    std::string newScheme;
    switch (type) {
        case openInChrome:
            newScheme = secure ? "googlechromes" : "googlechrome";
            break;
        case openInOpera:
            newScheme = secure ? "ohttps" : "ohttp";
            break;
        case openInDolphin:
            newScheme = "dolphin";
            break;
        default:
            return std::nullopt;
    }
    return newScheme + url.substr(url.find(':'));
}

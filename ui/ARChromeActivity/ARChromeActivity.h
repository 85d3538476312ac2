#pragma once

// The share-sheet activity that opens the shared http(s) URL in the Chrome
// browser app through its x-callback URL scheme.

#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/ui/Activity.h"

class ARChromeActivity : public ui::Activity {
  public:
    ARChromeActivity();
    explicit ARChromeActivity(std::optional<foundation::URL> callbackURL);

    std::string activityType() const override { return "ARChromeActivity"; }
    std::string activityTitle() const override { return title_; }
    void setActivityTitle(std::string title) { title_ = std::move(title); }
    graphics::Image::Ptr activityImage() const override;

    const std::optional<foundation::URL>& callbackURL() const { return callbackURL_; }
    void setCallbackURL(std::optional<foundation::URL> url) { callbackURL_ = std::move(url); }
    // The application's name (Info.plist "CFBundleName"); empty when unknown.
    const std::string& callbackSource() const { return callbackSource_; }
    void setCallbackSource(std::string source) { callbackSource_ = std::move(source); }

    // With a callback URL the Chrome app must be there; then any http or
    // https URL item will do.
    bool canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    // Keeps the first http or https URL item.
    void prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    void performActivity() override;

    // The Chrome URL for the prepared page; nullopt before a URL was prepared.
    std::optional<std::string> chromeURL() const;

  private:
    void commonInit();

    std::string title_;
    std::optional<foundation::URL> callbackURL_;
    std::string callbackSource_;
    std::optional<std::string> activityURL_;
};

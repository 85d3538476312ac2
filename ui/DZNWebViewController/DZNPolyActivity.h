#pragma once

// The browser's own share-sheet activities: copy the link (type 0), open it
// in the platform's browser (1), or in another browser app through that
// app's URL scheme (2 Chrome, 3 Opera, 4 Dolphin).

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Activity.h"

class DZNPolyActivity : public ui::Activity {
  public:
    enum Type : unsigned {
        copyLink = 0,
        openInSafari = 1,
        openInChrome = 2,
        openInOpera = 3,
        openInDolphin = 4
    };

    // An activity given its page's URL acts on that URL whatever the items
    // are; without one it takes the first item that is a URL string.
    explicit DZNPolyActivity(unsigned type, std::optional<std::string> pageURL = std::nullopt)
        : type_(type), pageURL_(std::move(pageURL)) {}
    static std::shared_ptr<DZNPolyActivity> activityWithType(
        unsigned type, std::optional<std::string> pageURL = std::nullopt) {
        return std::make_shared<DZNPolyActivity>(type, std::move(pageURL));
    }

    unsigned type() const { return type_; }
    const std::optional<std::string>& URL() const { return url_; }

    // "" for a type outside 0 to 4.
    std::string activityType() const override;
    std::string activityTitle() const override;
    graphics::Image::Ptr activityImage() const override;

    // Looks at the page's URL, else at the first item that is a URL string.
    bool canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    void prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    void performActivity() override;

    // The URL of an "http" or "https" page in the browser app's scheme of
    // `type`; nullopt for other schemes and types.
    static std::optional<std::string> customURLWithURL(const std::string& url, unsigned type);
    static std::optional<std::string> chromeURLWithURL(const std::string& url) {
        return customURLWithURL(url, openInChrome);
    }
    static std::optional<std::string> operaURLWithURL(const std::string& url) {
        return customURLWithURL(url, openInOpera);
    }
    static std::optional<std::string> dolphinURLWithURL(const std::string& url) {
        return customURLWithURL(url, openInDolphin);
    }

  private:
    // The URL a performance acts on for this type.
    std::optional<std::string> targetURL(const std::string& url) const;
    std::optional<std::string> urlOf(const std::vector<ui::ActivityItem>& items) const;

    unsigned type_;
    std::optional<std::string> pageURL_;
    std::optional<std::string> url_;
};

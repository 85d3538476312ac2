#pragma once

// The share-sheet activity that opens the shared URL in the platform's
// default browser.

#include <optional>
#include <string>

#include "platform/ui/Activity.h"

class TUSafariActivity : public ui::Activity {
  public:
    std::string activityType() const override { return "TUSafariActivity"; }
    // "Open in Safari" from the activity's own strings table, unless the
    // application's default table has its own text for the key.
    std::string activityTitle() const override;
    graphics::Image::Ptr activityImage() const override;
    // True as soon as one URL item is one the application can open.
    bool canPerformWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    // Keeps the last URL item.
    void prepareWithActivityItems(const std::vector<ui::ActivityItem>& items) override;
    // Opens the URL and finishes with whether it opened.
    void performActivity() override;

    const std::optional<std::string>& preparedURL() const { return url_; }

  private:
    std::optional<std::string> url_;
};

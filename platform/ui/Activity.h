#pragma once

// A service of the share sheet: the platform's own (mail, message, copy, ...)
// named by type, or one the application adds by subclassing. An activity says
// whether it can handle the items, prepares with them, performs, and tells
// the sheet when it is finished.

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/graphics/Image.h"

namespace ui {

class ViewController;

// A URL among share items, told apart from plain text.
struct ActivityURL {
    std::string url;
    friend bool operator==(const ActivityURL&, const ActivityURL&) = default;
};
using ActivityItem = std::variant<std::string, ActivityURL, graphics::Image::Ptr>;

enum class ActivityCategory { action = 0, share = 1 };

inline constexpr const char* ActivityTypePostToFacebook = "ui.activity.PostToFacebook";
inline constexpr const char* ActivityTypePostToTwitter = "ui.activity.PostToTwitter";
inline constexpr const char* ActivityTypePostToWeibo = "ui.activity.PostToWeibo";
inline constexpr const char* ActivityTypePostToTencentWeibo = "ui.activity.PostToTencentWeibo";
inline constexpr const char* ActivityTypePostToFlickr = "ui.activity.PostToFlickr";
inline constexpr const char* ActivityTypeMessage = "ui.activity.Message";
inline constexpr const char* ActivityTypeMail = "ui.activity.Mail";
inline constexpr const char* ActivityTypePrint = "ui.activity.Print";
inline constexpr const char* ActivityTypeCopyToPasteboard = "ui.activity.CopyToPasteboard";
inline constexpr const char* ActivityTypeAssignToContact = "ui.activity.AssignToContact";
inline constexpr const char* ActivityTypeSaveToCameraRoll = "ui.activity.SaveToCameraRoll";
inline constexpr const char* ActivityTypeAddToReadingList = "ui.activity.AddToReadingList";
inline constexpr const char* ActivityTypeAirDrop = "ui.activity.AirDrop";

class Activity {
  public:
    virtual ~Activity() = default;

    virtual std::string activityType() const = 0;
    virtual std::string activityTitle() const = 0;
    virtual graphics::Image::Ptr activityImage() const { return nullptr; }
    virtual ActivityCategory activityCategory() const { return ActivityCategory::action; }
    virtual bool canPerformWithActivityItems(const std::vector<ActivityItem>& items) {
        return true;
    }
    virtual void prepareWithActivityItems(const std::vector<ActivityItem>& items) {}
    // A screen to show instead of performing at once; nullptr by default.
    virtual std::shared_ptr<ViewController> activityViewController() { return nullptr; }
    virtual void performActivity() { activityDidFinish(true); }

    // Tells the share sheet the activity is done.
    void activityDidFinish(bool completed);
    // Set by the share sheet that runs the activity.
    void setFinishHandler(std::function<void(bool)> handler) { finish_ = std::move(handler); }

  private:
    std::function<void(bool)> finish_;
};

}  // namespace ui

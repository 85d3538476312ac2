#pragma once

// The share sheet: items (texts, URLs, images), the application's own
// activities, excluded system types and a completion told which activity ran.
// Choosing an activity or cancelling is simulated; the sheet dismisses itself
// when it is presented. Copying to the pasteboard really copies. On screen
// it dims what is under it and shows its activities along the bottom.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Activity.h"
#include "platform/ui/PopoverPresentationController.h"
#include "platform/ui/ViewController.h"

namespace ui {

class ActivityViewController : public ViewController {
  public:
    using Ptr = std::shared_ptr<ActivityViewController>;
    using Completion = std::function<void(std::optional<std::string> activityType, bool completed)>;

    ActivityViewController(std::vector<ActivityItem> items,
                           std::vector<std::shared_ptr<Activity>> activities = {});

    const std::vector<ActivityItem>& activityItems() const { return items_; }
    const std::vector<std::shared_ptr<Activity>>& applicationActivities() const {
        return activities_;
    }
    const std::vector<std::string>& excludedActivityTypes() const { return excluded_; }
    void setExcludedActivityTypes(std::vector<std::string> types) { excluded_ = std::move(types); }
    void setCompletionHandler(Completion completion) { completion_ = std::move(completion); }
    // setValue:forKey:@"subject".
    const std::string& subject() const { return subject_; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }
    PopoverPresentationController& popoverPresentationController() { return popover_; }

    // The types on offer: the system ones not excluded, then the
    // application's activities that can handle the items.
    std::vector<std::string> availableActivityTypes() const;
    // The user picks an activity; false when it is not on offer.
    bool chooseActivity(const std::string& type);
    void cancel();

    std::string outlineText() const;

    // A clear view over the whole screen that draws the sheet.
    void loadView() override;

  private:
    void finish(std::optional<std::string> type, bool completed);

    std::vector<ActivityItem> items_;
    std::vector<std::shared_ptr<Activity>> activities_;
    std::vector<std::string> excluded_;
    Completion completion_;
    std::string subject_;
    PopoverPresentationController popover_;
};

}  // namespace ui

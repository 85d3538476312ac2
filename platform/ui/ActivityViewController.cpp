#include "platform/ui/ActivityViewController.h"

#include <algorithm>

#include "platform/ui/AlertPainter.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Screen.h"

namespace ui {

namespace {

const std::vector<std::string>& systemTypes() {
    static const std::vector<std::string> types{ActivityTypeMessage,
                                                ActivityTypeMail,
                                                ActivityTypePostToFacebook,
                                                ActivityTypePostToTwitter,
                                                ActivityTypePostToWeibo,
                                                ActivityTypeCopyToPasteboard,
                                                ActivityTypePrint,
                                                ActivityTypeAssignToContact,
                                                ActivityTypeSaveToCameraRoll,
                                                ActivityTypeAddToReadingList,
                                                ActivityTypePostToFlickr,
                                                ActivityTypePostToTencentWeibo,
                                                ActivityTypeAirDrop};
    return types;
}

// The sheet's view: it draws the sheet it belongs to over the screen.
class SheetView : public View {
  public:
    SheetView(const graphics::Rect& frame, std::weak_ptr<const ActivityViewController> sheet)
        : View(frame), sheet_(std::move(sheet)) {}

    void drawContent(graphics::BitmapContext& context) const override {
        if (auto sheet = sheet_.lock()) {
            AlertPainter::drawShareSheet(context, bounds(), AlertPainter::tilesOf(*sheet));
        }
    }

  private:
    std::weak_ptr<const ActivityViewController> sheet_;
};

}  // namespace

void ActivityViewController::loadView() {
    auto view = std::make_shared<SheetView>(
        Screen::mainScreen().bounds(),
        std::static_pointer_cast<const ActivityViewController>(shared_from_this()));
    view->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    setView(view);
}

ActivityViewController::ActivityViewController(std::vector<ActivityItem> items,
                                               std::vector<std::shared_ptr<Activity>> activities)
    : items_(std::move(items)), activities_(std::move(activities)) {
    setModalPresentationStyle(ModalPresentationStyle::overFullScreen);
}

std::vector<std::string> ActivityViewController::availableActivityTypes() const {
    std::vector<std::string> types;
    for (const auto& type : systemTypes()) {
        if (std::find(excluded_.begin(), excluded_.end(), type) == excluded_.end()) {
            types.push_back(type);
        }
    }
    for (const auto& activity : activities_) {
        if (activity->canPerformWithActivityItems(items_)) {
            types.push_back(activity->activityType());
        }
    }
    return types;
}

bool ActivityViewController::chooseActivity(const std::string& type) {
    auto offered = availableActivityTypes();
    if (std::find(offered.begin(), offered.end(), type) == offered.end()) {
        return false;
    }
    auto keep = shared_from_this();
    for (const auto& activity : activities_) {
        if (activity->activityType() == type) {
            std::weak_ptr<ActivityViewController> weak =
                std::static_pointer_cast<ActivityViewController>(shared_from_this());
            activity->setFinishHandler([weak, type](bool completed) {
                if (auto sheet = weak.lock()) {
                    sheet->finish(type, completed);
                }
            });
            activity->prepareWithActivityItems(items_);
            if (auto screen = activity->activityViewController()) {
                if (auto presenter = presentingViewController()) {
                    presenter->dismissViewController(false, [presenter, screen] {
                        presenter->presentViewController(screen, true);
                    });
                }
            } else {
                activity->performActivity();
            }
            return true;
        }
    }
    if (type == ActivityTypeCopyToPasteboard) {
        std::vector<std::string> texts;
        for (const auto& item : items_) {
            if (auto text = std::get_if<std::string>(&item)) {
                texts.push_back(*text);
            } else if (auto url = std::get_if<ActivityURL>(&item)) {
                texts.push_back(url->url);
            }
        }
        Pasteboard::generalPasteboard().setStrings(texts);
    }
    finish(type, true);
    return true;
}

void ActivityViewController::cancel() {
    finish(std::nullopt, false);
}

void ActivityViewController::finish(std::optional<std::string> type, bool completed) {
    auto keep = shared_from_this();
    auto completion = completion_;
    auto report = [completion, type, completed] {
        if (completion) {
            completion(type, completed);
        }
    };
    if (presentingViewController() && !isBeingDismissed()) {
        dismissViewController(true, report);
    } else {
        report();
    }
}

std::string ActivityViewController::outlineText() const {
    std::string line = "[ActivityView]";
    for (const auto& item : items_) {
        if (auto text = std::get_if<std::string>(&item)) {
            line += " \"" + *text + "\"";
        } else if (auto url = std::get_if<ActivityURL>(&item)) {
            line += " <" + url->url + ">";
        } else {
            line += " (image)";
        }
    }
    return line;
}

}  // namespace ui

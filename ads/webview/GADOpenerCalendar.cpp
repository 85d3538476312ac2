// The opener's actions for MRAID ads: resize requests and calendar events.

#include "ads/webview/GADMRAIDCalendarProperties.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "platform/services/EventEditViewController.h"
#include "platform/ui/ViewController.h"

namespace {

// Takes the calendar editor off the screen when the user saved or cancelled.
class CalendarEditorDismisser : public services::EventEditViewDelegate {
  public:
    void eventEditViewControllerDidCompleteWithAction(services::EventEditViewController& editor,
                                                      services::EventEditViewAction) override {
        if (auto presenting = editor.presentingViewController()) {
            presenting->dismissViewController(true);
        }
    }
};

}  // namespace

void GADOpener::openWebAppWithSize(graphics::Size, graphics::Vector) {}

void GADOpener::openCalendarWithDictionary(const foundation::Dictionary& parameters) {
    const auto properties = GADMRAIDCalendarProperties::make(parameters);
    if (!properties) {
        return;
    }
    auto editor = std::make_shared<services::EventEditViewController>();
    editor->setEventStore(services::EventStore::make());
    services::Event event;
    event.title = properties->eventDescription();
    event.notes = properties->summary();
    event.location = properties->location();
    event.startDate = properties->startTime();
    event.endDate = properties->endTime();
    editor->setEvent(std::move(event));
    if (!calendarEditorDismisser_) {
        calendarEditorDismisser_ = std::make_shared<CalendarEditorDismisser>();
    }
    editor->setEditViewDelegate(calendarEditorDismisser_);

    std::weak_ptr<ui::ViewController> presenting = viewController_;
    std::weak_ptr<GADWebView> page = webView_;
    editor->eventStore()->requestAccessToEntityType(
        services::EntityType::event,
        [editor, presenting, page](bool granted, const std::optional<foundation::Error>&) {
            if (!granted) {
                GADNotificationCenter::defaultCenter().postJSNotification(
                    "onCalendarEventCanceled", std::nullopt, page.lock());
                return;
            }
            if (auto controller = presenting.lock()) {
                controller->presentViewController(editor, true);
            }
        });
}

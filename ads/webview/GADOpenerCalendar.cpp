// The opener's calendar entries: an MRAID ad's event in the platform's
// editor, shown once the user lets the application at the calendar; the page
// hears when no event was made.

#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADMRAIDCalendarProperties.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"

void GADOpener::openCalendarWithDictionary(const foundation::Dictionary& parameters) {
    if (!shouldPerformOpenAction()) {
        return;
    }
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
    editor->setEditViewDelegate(weak_from_this());

    auto present = [](const std::shared_ptr<GADOpener>& self,
                      const std::shared_ptr<services::EventEditViewController>& shown) {
        if (auto controller = self->viewController()) {
            controller->presentViewController(shown, true);
        }
    };
    if (!GADDevice::currentDevice().isOSAtLeastMajor(6, 0, 0)) {
        present(shared_from_this(), editor);
        return;
    }
    std::weak_ptr<GADOpener> weakSelf = weak_from_this();
    editor->eventStore()->requestAccessToEntityType(
        services::EntityType::event,
        [weakSelf, editor, present](bool granted, const std::optional<foundation::Error>&) {
            auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            if (granted) {
                present(self, editor);
            } else {
                GADNotificationCenter::defaultCenter().postJSNotification(
                    kGADCalendarEventCanceledEvent, std::nullopt, self->webView());
            }
        });
}

void GADOpener::eventEditViewControllerDidCompleteWithAction(
    services::EventEditViewController& editor, services::EventEditViewAction action) {
    if (auto presenting = editor.presentingViewController()) {
        presenting->dismissViewController(true);
    }
    if (action == services::EventEditViewAction::canceled) {
        GADNotificationCenter::defaultCenter().postJSNotification(kGADCalendarEventCanceledEvent,
                                                                  std::nullopt, webView());
    }
}

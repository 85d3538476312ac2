#include "ads/webview/GADDefaultGMSGHandler.h"

#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerScreens.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/media/SystemSound.h"
#include "platform/ui/ViewController.h"

namespace {

GADDefaultGMSGHandler::TouchSink& touchSink() {
    static auto* const sink = foundation::ProcessState::withReset(
        new GADDefaultGMSGHandler::TouchSink(), [](auto& installed) { installed = nullptr; });
    return *sink;
}

}  // namespace

GADDefaultGMSGHandler::GADDefaultGMSGHandler()
    : GADGMSGHandler([] {
          static const auto table = std::make_shared<const ActionTable>(ActionTable{
              {"httpTrack", action(&GADDefaultGMSGHandler::trackURL)},
              {"log", action(&GADDefaultGMSGHandler::logString)},
              {"touch", action(&GADDefaultGMSGHandler::touch)},
              {"vibrate", action(&GADDefaultGMSGHandler::vibrate)},
              {"canOpenURLs", action(&GADDefaultGMSGHandler::canOpenURLs)},
              {"close", action(&GADDefaultGMSGHandler::close)},
          });
          return table;
      }()) {}

std::int64_t GADDefaultGMSGHandler::integerForKey(std::string_view key,
                                                  const foundation::Dictionary& values,
                                                  std::int64_t defaultValue) {
    const auto found = values.find(key);
    return found == values.end() ? defaultValue : found->second.integerValue();
}

void GADDefaultGMSGHandler::setTouchSink(TouchSink sink) {
    touchSink() = std::move(sink);
}

void GADDefaultGMSGHandler::trackURL(const Arguments& arguments) {
    if (const auto* url = arguments.parameter("u")) {
        GADClickTrackerCollection::sharedInstance().trackURL(foundation::URL::fromString(*url));
    }
}

void GADDefaultGMSGHandler::logString(const Arguments& arguments) {
    const auto* text = arguments.parameter("string");
    foundation::Log::write("ads", text ? *text : "(null)");
}

void GADDefaultGMSGHandler::touch(const Arguments& arguments) {
    const auto& values = arguments.note.parameters();
    const std::int64_t x = integerForKey("tx", values, -1);
    const std::int64_t y = integerForKey("ty", values, -1);
    const std::int64_t d = integerForKey("td", values, -1);
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        if (const auto& sink = touchSink()) {
            sink(x, y, d);
        }
    });
}

void GADDefaultGMSGHandler::vibrate(const Arguments&) {
    media::SystemSound::play(media::SystemSound::kVibrate);
}

void GADDefaultGMSGHandler::canOpenURLs(const Arguments& arguments) {
    std::vector<std::string> urls;
    if (const auto* list = arguments.parameter("urls")) {
        urls = foundation::components(*list, ",");
    }
    GADNotificationCenter::defaultCenter().postJSNotification(
        "openableURLs", GADDevice::currentDevice().canOpenURLs(urls), arguments.webView);
}

void GADDefaultGMSGHandler::close(const Arguments& arguments) {
    const auto controller = arguments.webView ? arguments.webView->viewController() : nullptr;
    const auto screens = GADOpener::screens();
    if (controller && screens && screens->isFullScreenAdController(*controller)) {
        screens->relinquishScreen(*controller);
    }
}

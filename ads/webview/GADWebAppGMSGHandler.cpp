#include "ads/webview/GADWebAppGMSGHandler.h"

#include "ads/webview/GADWebAppScreen.h"
#include "ads/webview/GADWebView.h"
#include "platform/ui/ViewController.h"

namespace {

std::shared_ptr<ui::ViewController> controllerOf(const GADGMSGHandler::Arguments& arguments) {
    return arguments.webView ? arguments.webView->viewController() : nullptr;
}

}  // namespace

GADWebAppGMSGHandler::GADWebAppGMSGHandler()
    : GADGMSGHandler([] {
          static const auto table = std::make_shared<const ActionTable>(ActionTable{
              {"customClose", action(&GADWebAppGMSGHandler::customClose)},
              {"setInterstitialProperties",
               action(&GADWebAppGMSGHandler::setInterstitialProperties)},
          });
          return table;
      }()) {}

void GADWebAppGMSGHandler::customClose(const Arguments& arguments) {
    if (auto* screen = dynamic_cast<GADWebAppScreen*>(controllerOf(arguments).get())) {
        const auto* value = arguments.parameter("custom_close");
        screen->setUseCustomClose(value && *value == "1");
    }
}

void GADWebAppGMSGHandler::setInterstitialProperties(const Arguments& arguments) {
    const auto controller = controllerOf(arguments);
    auto* screen = dynamic_cast<GADWebAppScreen*>(controller.get());
    const auto* value = arguments.parameter("transparentBackground");
    if (screen && value && !controller->view()->superview()) {
        screen->setTransparentInterstitial(*value == "1");
    }
}

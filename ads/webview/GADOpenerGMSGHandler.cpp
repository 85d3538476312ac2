#include "ads/webview/GADOpenerGMSGHandler.h"

#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/webview/GADDefaultGMSGHandler.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerScreens.h"
#include "ads/webview/GADOpenerSlot.h"
#include "platform/foundation/CharacterSet.h"
#include "platform/foundation/StringUtilities.h"

GADOpenerGMSGHandler::GADOpenerGMSGHandler(std::shared_ptr<GADOpener> opener)
    : GADGMSGHandler([] {
          static const auto table = std::make_shared<const ActionTable>(ActionTable{
              {"click", action(&GADOpenerGMSGHandler::click)},
              {"open", action(&GADOpenerGMSGHandler::open)},
              {"fetchAppStore", action(&GADOpenerGMSGHandler::fetchAppStore)},
          });
          return table;
      }()),
      opener_(std::move(opener)) {}

std::optional<foundation::URL> GADOpenerGMSGHandler::URLFromParams(const Arguments& arguments) {
    const auto* text = arguments.parameter("u");
    return text ? foundation::URL::fromString(*text) : std::nullopt;
}

std::int64_t GADOpenerGMSGHandler::orientationFromParams(const Arguments& arguments) {
    const auto* text = arguments.parameter("o");
    if (text && *text == "p") {
        return kGADOrientationMaskPortrait;
    }
    if (text && *text == "l") {
        return kGADOrientationMaskLandscape;
    }
    return kGADOrientationMaskAny;
}

bool GADOpenerGMSGHandler::shouldUseCustomClose(const Arguments& arguments) {
    const auto* text = arguments.parameter("custom_close");
    return text && *text == "1";
}

void GADOpenerGMSGHandler::click(const Arguments& arguments) {
    const auto url = URLFromParams(arguments);
    if (!arguments.parameter("u")) {
        return;
    }
    const auto slot = opener_->slot();
    GADClickTrackerCollection::sharedInstance().trackURL(
        slot && url ? std::optional(slot->spamClickURLWithURL(*url)) : std::nullopt);
}

const GADGMSGHandler::ActionTable& GADOpenerGMSGHandler::subActionSelectorDictionary() {
    static const auto* const table = new ActionTable{
        {"in_app_store", action(&GADOpenerGMSGHandler::actionOpenInAppStore)},
        {"in_app_purchase", action(&GADOpenerGMSGHandler::actionOpenInAppPurchase)},
        {"browser", action(&GADOpenerGMSGHandler::actionOpenBrowser)},
        {"video", action(&GADOpenerGMSGHandler::actionOpenBrowser)},
        {"webapp", action(&GADOpenerGMSGHandler::actionOpenWebApp)},
        {"expand", action(&GADOpenerGMSGHandler::actionExpand)},
        {"app", action(&GADOpenerGMSGHandler::actionOpenApp)},
        {"call", action(&GADOpenerGMSGHandler::actionOpenApp)},
    };
    return *table;
}

void GADOpenerGMSGHandler::open(const Arguments& arguments) {
    const auto* name = arguments.parameter("a");
    const auto& table = subActionSelectorDictionary();
    const auto found = name ? table.find(*name) : table.end();
    if (found == table.end()) {
        actionOpenApp(arguments);
        return;
    }
    found->second(*this, arguments);
}

void GADOpenerGMSGHandler::fetchAppStore(const Arguments& arguments) {
    const auto* productID = arguments.parameter("product_id");
    if (productID && GADOpener::isInAppStoreSupported()) {
        opener_->fetchInAppStoreForProductID(*productID);
    }
}

void GADOpenerGMSGHandler::actionOpenInAppStore(const Arguments& arguments) {
    const auto fallback = URLFromParams(arguments);
    if (!GADOpener::isInAppStoreSupported()) {
        opener_->openApp(fallback);
        return;
    }
    const auto* productID = arguments.parameter("product_id");
    const auto* wait = arguments.parameter("wait_for_fetch");
    opener_->openInAppStoreWithProductID(productID ? *productID : std::string(), fallback,
                                         !wait || *wait == "true");
}

void GADOpenerGMSGHandler::actionOpenInAppPurchase(const Arguments& arguments) {
    const auto* productID = arguments.parameter("product_id");
    const auto quantity =
        GADDefaultGMSGHandler::integerForKey("quantity", arguments.note.parameters(), 0);
    const auto screens = GADOpener::screens();
    if (!productID || !screens || !screens->inAppPurchaseQuantityIsValid(quantity)) {
        return;
    }
    std::vector<std::string> reports;
    if (const auto* urls = arguments.parameter("report_urls")) {
        for (auto& piece :
             foundation::components(*urls, foundation::CharacterSet::whitespaceAndNewline())) {
            if (!piece.empty()) {
                reports.push_back(std::move(piece));
            }
        }
    }
    opener_->openInAppPurchase(*productID, quantity, reports);
}

void GADOpenerGMSGHandler::actionOpenBrowser(const Arguments& arguments) {
    if (const auto url = URLFromParams(arguments)) {
        opener_->openBrowserToURL(url, orientationFromParams(arguments));
    }
}

void GADOpenerGMSGHandler::actionOpenWebApp(const Arguments& arguments) {
    const auto orientations = orientationFromParams(arguments);
    const bool customClose = shouldUseCustomClose(arguments);
    if (const auto url = URLFromParams(arguments)) {
        // An MRAID ad opens a web app only to expand into a second page.
        const auto slot = opener_->slot();
        if (!opener_->openWebApp(url, orientations, customClose) && slot &&
            slot->isMRAIDEnabled()) {
            refuseExpansion(arguments);
        }
    } else if (const auto* html = arguments.parameter("html")) {
        opener_->openWebAppWithHTML(*html, orientations, customClose);
    }
}

void GADOpenerGMSGHandler::actionExpand(const Arguments& arguments) {
    if (!opener_->expandToWebAppWithSupportedOrientations(orientationFromParams(arguments),
                                                          shouldUseCustomClose(arguments))) {
        refuseExpansion(arguments);
    }
}

void GADOpenerGMSGHandler::refuseExpansion(const Arguments& arguments) {
    GADNotificationCenter::defaultCenter().postJSNotification(
        kGADMRAIDErrorEvent,
        foundation::Dictionary{{"action", "expand"}, {"message", "The ad cannot be expanded now."}},
        arguments.webView);
}

void GADOpenerGMSGHandler::actionOpenApp(const Arguments& arguments) {
    if (!arguments.parameter("u")) {
        return;
    }
    const auto url = URLFromParams(arguments);
    const auto slot = opener_->slot();
    if (slot) {
        slot->adWasClicked();
    }
    opener_->openApp(slot && url ? std::optional(slot->spamClickURLWithURL(*url)) : std::nullopt);
}

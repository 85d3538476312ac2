#pragma once

// The messages an ad page sends to its opener: "click" (ping the slot's click
// URL for a URL), "fetchAppStore" (prepare a store sheet) and "open", whose
// sub-action "a" picks the store sheet, an in-app purchase, the browser, a
// web app, expand or leaving the application ("app", also for an absent or
// unknown "a"). Main thread.

#include <cstdint>
#include <memory>
#include <optional>

#include "ads/webview/GADGMSGHandler.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

class GADOpener;

class GADOpenerGMSGHandler : public GADGMSGHandler {
  public:
    explicit GADOpenerGMSGHandler(std::shared_ptr<GADOpener> opener);

    // "u" as a URL; nullopt when absent or no URL.
    static std::optional<foundation::URL> URLFromParams(const Arguments& arguments);
    // "o": "p" portrait, "l" landscape, anything else any orientation.
    static std::int64_t orientationFromParams(const Arguments& arguments);
    // "custom_close" is "1".
    static bool shouldUseCustomClose(const Arguments& arguments);

    // The sub-actions of "open" by the value of "a".
    static const ActionTable& subActionSelectorDictionary();

    const std::shared_ptr<GADOpener>& opener() const { return opener_; }

    void click(const Arguments& arguments);
    void open(const Arguments& arguments);
    void fetchAppStore(const Arguments& arguments);
    void actionOpenInAppStore(const Arguments& arguments);
    void actionOpenInAppPurchase(const Arguments& arguments);
    void actionOpenBrowser(const Arguments& arguments);
    void actionOpenWebApp(const Arguments& arguments);
    void actionExpand(const Arguments& arguments);
    // Tells an MRAID page that its expansion was refused.
    static void refuseExpansion(const Arguments& arguments);
    void actionOpenApp(const Arguments& arguments);

  private:
    std::shared_ptr<GADOpener> opener_;
};

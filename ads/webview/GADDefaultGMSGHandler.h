#pragma once

// The messages every ad page may send: "httpTrack" (ping a URL), "log",
// "touch" (the page's touch values for the signal module), "vibrate",
// "canOpenURLs" (answered with "openableURLs") and "close" (a full-screen ad
// screen gives the screen back). Main thread.

#include <cstdint>
#include <functional>
#include <string_view>

#include "ads/webview/GADGMSGHandler.h"
#include "platform/foundation/Value.h"

class GADDefaultGMSGHandler : public GADGMSGHandler {
  public:
    // Takes the three values of a "touch" message ("tx", "ty", "td").
    using TouchSink = std::function<void(std::int64_t x, std::int64_t y, std::int64_t d)>;

    GADDefaultGMSGHandler();

    // The value's integer reading (a text's leading integer, 0 without one)
    // when the key is present, else the default.
    static std::int64_t integerForKey(std::string_view key, const foundation::Dictionary& values,
                                      std::int64_t defaultValue);
    // Where touch values go; the signal module installs it (none: dropped).
    static void setTouchSink(TouchSink sink);

    void trackURL(const Arguments& arguments);
    void logString(const Arguments& arguments);
    void touch(const Arguments& arguments);
    void vibrate(const Arguments& arguments);
    void canOpenURLs(const Arguments& arguments);
    void close(const Arguments& arguments);
};

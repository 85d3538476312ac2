#pragma once

// The ad component's use of the process's default notification center: it
// posts in-ad messages to every observer there, at once or after a delay on
// the main operation queue, and sends events into ad pages by calling their
// "VIRA_ReceiveMessage" function.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

class GADWebView;

// The event that tells an MRAID page the component refused one of its
// actions: {"action": the MRAID call, "message": why}.
inline constexpr const char* kGADMRAIDErrorEvent = "onMRAIDError";

class GADNotificationCenter {
  public:
    // The facade over the process's default center; lives for the process.
    static GADNotificationCenter& defaultCenter();
    // The process's default center itself, where every observer registers.
    foundation::NotificationCenter& center() const;

    // Posts the URL's message on the calling thread: its name, the object
    // and its parameters as user info. Nothing for a URL that gives none.
    void postNotificationFromURL(const foundation::URL& url, const void* object);
    // After the delay (a negative one counts as 0) adds one operation to the
    // main operation queue that posts the message, behind work already
    // queued there. The object is held until then.
    void postNotificationFromURL(const foundation::URL& url, std::shared_ptr<const void> object,
                                 foundation::TimeInterval delay);

    // Builds the command here and has the web view evaluate it on a later
    // turn of the main queue; nothing without a web view.
    void postJSNotification(const std::string& name,
                            const std::optional<foundation::Dictionary>& userInfo,
                            const std::shared_ptr<GADWebView>& webView);
    // VIRA_ReceiveMessage('name', {compact JSON}); or, without user info or
    // when it has no JSON form, VIRA_ReceiveMessage('name'); so that every
    // page's engine can parse the call. The name goes in as it is.
    static std::string JSCommandForNotificationName(
        const std::string& name, const std::optional<foundation::Dictionary>& userInfo);

  private:
    GADNotificationCenter() = default;
};

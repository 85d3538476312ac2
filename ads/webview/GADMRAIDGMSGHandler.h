#pragma once

// Takes an MRAID ad's "mraid" message, whose "a" names the action: "resize"
// goes to the opener with the ad's new size and offset, "storePicture" asks
// the user and saves the picture at "iurl" in the photo album (one operation
// per picture URL while this handler lives), "createCalendarEvent" hands the
// event to the opener. A resize with sizes or offsets that are no numbers,
// not above 0 or beyond the screen is refused with the page's "onMRAIDError"
// event; so is every other resize, which changes no view here. Main thread.

#include <map>
#include <memory>
#include <string>

#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADMRAIDPictureDelegate.h"
#include "platform/foundation/URL.h"

class GADMRAIDPicture;
class GADNotification;
class GADOpener;

class GADMRAIDGMSGHandler : public GADGMSGHandler,
                            public GADMRAIDPictureDelegate,
                            public std::enable_shared_from_this<GADMRAIDGMSGHandler> {
  public:
    explicit GADMRAIDGMSGHandler(const std::shared_ptr<GADOpener>& opener) : opener_(opener) {}

    bool handleRequest(const net::URLRequest& request,
                       const std::shared_ptr<GADWebView>& webView) override;

    void didReceiveMRAIDNotification(const GADNotification& note,
                                     const std::shared_ptr<GADWebView>& webView);
    void actionResize(const GADNotification& note, const std::shared_ptr<GADWebView>& webView);
    // Tells the page that its resize was not carried out.
    static void refuseResize(const std::shared_ptr<GADWebView>& webView,
                             const std::string& message);
    void actionStorePicture(const GADNotification& note,
                            const std::shared_ptr<GADWebView>& webView);
    void actionCreateCalendarEvent(const GADNotification& note,
                                   const std::shared_ptr<GADWebView>& webView);

    void MRAIDPictureDidStorePictureWithURL(GADMRAIDPicture& picture,
                                            const foundation::URL& url) override;
    void MRAIDPictureFailedToStorePictureWithURL(GADMRAIDPicture& picture,
                                                 const foundation::URL& url,
                                                 const std::string& message) override;

    const std::shared_ptr<GADOpener>& opener() const { return opener_; }
    void setOpener(const std::shared_ptr<GADOpener>& opener) { opener_ = opener; }
    const std::map<std::string, std::shared_ptr<GADMRAIDPicture>>& pendingPictureDownloads() const {
        return pendingPictureDownloads_;
    }

  private:
    std::shared_ptr<GADOpener> opener_;
    // Picture URL (absolute text) to its operation.
    std::map<std::string, std::shared_ptr<GADMRAIDPicture>> pendingPictureDownloads_;
};

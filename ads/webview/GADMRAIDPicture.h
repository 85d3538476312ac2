#pragma once

// One picture an MRAID ad asks to store: the user is asked first ("Save" or
// "Cancel"); a saved picture is downloaded once and written to the
// saved-photos album, and the delegate hears whether it was stored. Main
// thread.

#include <memory>
#include <optional>
#include <string>

#include "ads/webview/GADMRAIDPictureDelegate.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"

class GADMRAIDPicture : public ui::AlertViewDelegate,
                        public std::enable_shared_from_this<GADMRAIDPicture> {
  public:
    static constexpr double kDownloadTimeout = 60.0;

    explicit GADMRAIDPicture(foundation::URL pictureURL) : pictureURL_(std::move(pictureURL)) {}

    // Shows the alert "Permission" asking to save the picture.
    void storeInPhotoAlbum();
    // "Save" downloads the picture; "Cancel" does nothing.
    void alertViewClickedButtonAtIndex(ui::AlertView& alert, int index) override;
    // One download for a URL, never a second one.
    void downloadImageWithURL(const std::optional<foundation::URL>& url);
    void storeImage(const graphics::Image::Ptr& image);

    std::shared_ptr<GADMRAIDPictureDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADMRAIDPictureDelegate>& delegate) {
        delegate_ = delegate;
    }
    const foundation::URL& pictureURL() const { return pictureURL_; }
    void setPictureURL(foundation::URL url) { pictureURL_ = std::move(url); }
    const std::shared_ptr<ui::AlertView>& alertView() const { return alertView_; }

  private:
    foundation::URL pictureURL_;
    std::weak_ptr<GADMRAIDPictureDelegate> delegate_;
    bool downloadStarted_ = false;
    std::shared_ptr<ui::AlertView> alertView_;
};

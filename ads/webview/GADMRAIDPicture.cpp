#include "ads/webview/GADMRAIDPicture.h"

#include "platform/foundation/OperationQueue.h"
#include "platform/net/URLConnection.h"
#include "platform/ui/SavedPhotosAlbum.h"

void GADMRAIDPicture::storeInPhotoAlbum() {
    alertView_ = ui::AlertView::make("Permission",
                                     "The ad is requesting to save an image in your photo album.",
                                     weak_from_this(), "Cancel", {"Save"});
    alertView_->show();
}

void GADMRAIDPicture::alertViewClickedButtonAtIndex(ui::AlertView& alert, int index) {
    if (index == alert.firstOtherButtonIndex()) {
        downloadImageWithURL(pictureURL_);
    }
}

void GADMRAIDPicture::downloadImageWithURL(const std::optional<foundation::URL>& url) {
    if (!url || downloadStarted_) {
        return;
    }
    downloadStarted_ = true;
    net::URLRequest request(*url);
    request.setTimeoutInterval(kDownloadTimeout);
    std::weak_ptr<GADMRAIDPicture> weakSelf = weak_from_this();
    const foundation::URL asked = *url;
    net::URLConnection::sendAsynchronousRequest(
        request, foundation::OperationQueue::main(),
        [weakSelf, asked](const net::URLConnection::Result& result) {
            auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            graphics::Image::Ptr image;
            if (!result.error && !result.data.empty()) {
                image = graphics::Image::imageWithData(result.data);
            }
            auto delegate = self->delegate();
            if (image) {
                self->storeImage(image);
                if (delegate) {
                    delegate->MRAIDPictureDidStorePictureWithURL(*self, asked);
                }
                return;
            }
            if (delegate) {
                const std::string error =
                    result.error ? result.error->localizedDescription : "(null)";
                delegate->MRAIDPictureFailedToStorePictureWithURL(
                    *self, asked, "Failed to load " + asked.absoluteString() + ". Error: " + error);
            }
        });
}

void GADMRAIDPicture::storeImage(const graphics::Image::Ptr& image) {
    ui::SavedPhotosAlbum::writeImage(image);
}

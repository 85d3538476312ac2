#include "ads/api/GADSearchBannerView.h"

std::shared_ptr<GADSearchBannerView> GADSearchBannerView::makeWithFrame(const graphics::Rect& frame,
                                                                        GADAdSize adSize) {
    if (!GADAdSizeIsValid(adSize)) {
        return nullptr;
    }
    auto banner = std::make_shared<GADSearchBannerView>(frame);
    banner->commonInitWithAdSize(adSize);
    return banner;
}

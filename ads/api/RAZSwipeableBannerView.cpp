#include "ads/api/RAZSwipeableBannerView.h"

std::shared_ptr<RAZSwipeableBannerView> RAZSwipeableBannerView::makeWithFrame(
    const graphics::Rect& frame, GADAdSize adSize) {
    return makeBanner<RAZSwipeableBannerView>(frame, adSize, false);
}

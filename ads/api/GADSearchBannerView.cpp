#include "ads/api/GADSearchBannerView.h"

std::shared_ptr<GADSearchBannerView> GADSearchBannerView::makeWithFrame(const graphics::Rect& frame,
                                                                        GADAdSize adSize) {
    return makeBanner<GADSearchBannerView>(frame, adSize, false);
}

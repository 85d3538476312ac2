#pragma once

// A RAZ banner whose swipe delegate is switched off: it keeps none.

#include <memory>

#include "ads/api/RAZBannerView.h"

class RAZSwipeableBannerView : public RAZBannerView {
  public:
    // nullptr, silently, for an invalid size.
    static std::shared_ptr<RAZSwipeableBannerView> makeWithFrame(const graphics::Rect& frame,
                                                                 GADAdSize adSize);

    explicit RAZSwipeableBannerView(const graphics::Rect& frame) : RAZBannerView(frame) {}
    std::string className() const override { return "RAZSwipeableBannerView"; }

    // Ignored.
    void setSwipeDelegate(const std::shared_ptr<void>&) {}
    std::shared_ptr<void> swipeDelegate() const { return nullptr; }
};

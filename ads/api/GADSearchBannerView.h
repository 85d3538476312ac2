#pragma once

// The banner that shows search ads, made from a search request's ad request;
// it behaves as every banner does.

#include <memory>

#include "ads/api/GADBannerView.h"

class GADSearchBannerView : public GADBannerView {
  public:
    // nullptr for an invalid size.
    static std::shared_ptr<GADSearchBannerView> makeWithFrame(const graphics::Rect& frame,
                                                              GADAdSize adSize);

    explicit GADSearchBannerView(const graphics::Rect& frame) : GADBannerView(frame) {}
    std::string className() const override { return "GADSearchBannerView"; }
};

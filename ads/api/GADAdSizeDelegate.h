#pragma once

// Told before a banner takes the size an ad announced.

#include "ads/api/GADAdSize.h"

class GADBannerView;

class GADAdSizeDelegate {
  public:
    virtual ~GADAdSizeDelegate() = default;

    virtual void adViewWillChangeAdSizeTo(GADBannerView& view, GADAdSize size) = 0;
};

#pragma once

// An ad an interstitial slot built from a publisher's dictionary: it may carry
// the interstitial's time-out ("interstitial_timeout", seconds).

#include "ads/api/GADAd.h"

class GADAdInterstitial : public GADAd {
  public:
    GADAdInterstitial() = default;
    explicit GADAdInterstitial(const foundation::Dictionary& dictionary);

    double interstitialTimeout() const { return interstitialTimeout_; }
    void setInterstitialTimeout(double seconds) { interstitialTimeout_ = seconds; }

  private:
    double interstitialTimeout_ = 0;
};

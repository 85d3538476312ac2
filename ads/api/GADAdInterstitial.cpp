#include "ads/api/GADAdInterstitial.h"

GADAdInterstitial::GADAdInterstitial(const foundation::Dictionary& dictionary) : GADAd(dictionary) {
    auto value = dictionary.find("interstitial_timeout");
    if (value != dictionary.end() && value->second.isNumber()) {
        interstitialTimeout_ = value->second.doubleValue();
    }
}

#include "ads/api/GADAdBanner.h"

GADAdBanner::GADAdBanner(const foundation::Dictionary& dictionary) : GADAd(dictionary) {
    auto value = dictionary.find("refresh_rate");
    if (value != dictionary.end() && value->second.isNumber()) {
        refreshInterval_ = value->second.doubleValue();
    }
}

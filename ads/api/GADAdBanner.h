#pragma once

// An ad a banner slot built from a publisher's dictionary: it may carry the
// banner's refresh interval ("refresh_rate", seconds).

#include "ads/api/GADAd.h"

class GADAdBanner : public GADAd {
  public:
    GADAdBanner() = default;
    explicit GADAdBanner(const foundation::Dictionary& dictionary);

    double refreshInterval() const { return refreshInterval_; }
    void setRefreshInterval(double seconds) { refreshInterval_ = seconds; }

  private:
    double refreshInterval_ = 0;
};

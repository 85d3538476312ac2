#pragma once

// The slot behind an ad web view as the MRAID script interception sees it:
// which script it needs and the mark that its ad is an MRAID ad. Main thread.

class GADMRAIDAdSlot {
  public:
    virtual ~GADMRAIDAdSlot() = default;
    virtual bool isInterstitialSlot() const = 0;
    // The slot's loading and current ads become MRAID ads.
    virtual void willLoadMRAIDAd() = 0;
    // The slot's request asks for child-directed treatment.
    virtual bool isChildDirected() const { return false; }
};

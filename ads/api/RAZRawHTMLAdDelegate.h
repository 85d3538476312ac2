#pragma once

// What a custom-rendered ad reports back to the banner or interstitial that
// made it: a click, an impression, and that the publisher has drawn it.

#include <memory>

namespace ui {
class View;
}

class RAZRawHTMLAdDelegate {
  public:
    virtual ~RAZRawHTMLAdDelegate() = default;

    virtual void recordClick() = 0;
    virtual void recordCustomAdImpression() = 0;
    virtual void finishedRenderingAdView(const std::shared_ptr<ui::View>& view) = 0;
};

#pragma once

// Told by a scroll view as it scrolls, is dragged and zooms.

#include <memory>

namespace ui {

class ScrollView;
class View;

class ScrollViewDelegate {
  public:
    virtual ~ScrollViewDelegate() = default;
    virtual void scrollViewDidScroll(ScrollView& scrollView) {}
    virtual void scrollViewWillBeginDragging(ScrollView& scrollView) {}
    virtual void scrollViewDidEndDragging(ScrollView& scrollView, bool willDecelerate) {}
    virtual void scrollViewDidEndDecelerating(ScrollView& scrollView) {}
    virtual void scrollViewDidEndScrollingAnimation(ScrollView& scrollView) {}
    virtual std::shared_ptr<View> viewForZoomingInScrollView(ScrollView& scrollView) {
        return nullptr;
    }
    virtual void scrollViewDidZoom(ScrollView& scrollView) {}
    virtual bool scrollViewShouldScrollToTop(ScrollView& scrollView) { return true; }
    virtual void scrollViewDidScrollToTop(ScrollView& scrollView) {}
};

}  // namespace ui

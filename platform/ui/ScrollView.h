#pragma once

// A view onto a larger content: the content offset is the origin of the
// bounds, so subviews placed in content coordinates scroll with it. Drags and
// scrolls are simulated with their delegate callbacks; animated scrolls end on
// the main run loop.

#include <memory>

#include "platform/ui/ScrollViewDelegate.h"
#include "platform/ui/View.h"

namespace ui {

class ScrollView : public View {
  public:
    static constexpr double kScrollAnimationDuration = 0.3;

    explicit ScrollView(const graphics::Rect& frame = {});

    graphics::Point contentOffset() const { return bounds().origin; }
    void setContentOffset(graphics::Point offset, bool animated = false);
    graphics::Size contentSize() const { return contentSize_; }
    void setContentSize(graphics::Size size) { contentSize_ = size; }
    graphics::EdgeInsets contentInset() const { return contentInset_; }
    virtual void setContentInset(graphics::EdgeInsets insets) { contentInset_ = insets; }
    graphics::EdgeInsets scrollIndicatorInsets() const { return indicatorInsets_; }
    void setScrollIndicatorInsets(graphics::EdgeInsets insets) { indicatorInsets_ = insets; }

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
    void setAlwaysBounceVertical(bool bounce) { alwaysBounceVertical_ = bounce; }
    bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool bounce) { alwaysBounceHorizontal_ = bounce; }
    bool scrollsToTop() const { return scrollsToTop_; }
    void setScrollsToTop(bool scrolls) { scrollsToTop_ = scrolls; }
    bool isPagingEnabled() const { return pagingEnabled_; }
    void setPagingEnabled(bool paging) { pagingEnabled_ = paging; }
    bool showsVerticalScrollIndicator() const { return showsVertical_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVertical_ = shows; }
    bool showsHorizontalScrollIndicator() const { return showsHorizontal_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontal_ = shows; }
    bool isDragging() const { return dragging_; }

    double zoomScale() const { return zoomScale_; }
    void setZoomScale(double scale, bool animated = false);
    double minimumZoomScale() const { return minimumZoomScale_; }
    void setMinimumZoomScale(double scale) { minimumZoomScale_ = scale; }
    double maximumZoomScale() const { return maximumZoomScale_; }
    void setMaximumZoomScale(double scale) { maximumZoomScale_ = scale; }

    std::shared_ptr<ScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ScrollViewDelegate>& delegate) { delegate_ = delegate; }

    // The offset range the content allows (insets included).
    graphics::Point minimumContentOffset() const;
    graphics::Point maximumContentOffset() const;
    // Scrolls the least needed to show `rect` (content coordinates).
    void scrollRectToVisible(const graphics::Rect& rect, bool animated);
    // A finger dragging the content by `delta` (the offset moves the other
    // way), then lifting without momentum. Nothing when scrolling is off.
    void drag(graphics::Vector delta);
    // A tap on the status bar.
    void scrollToTop();

  private:
    graphics::Size contentSize_;
    graphics::EdgeInsets contentInset_;
    graphics::EdgeInsets indicatorInsets_;
    bool scrollEnabled_ = true;
    bool bounces_ = true;
    bool alwaysBounceVertical_ = false;
    bool alwaysBounceHorizontal_ = false;
    bool scrollsToTop_ = true;
    bool pagingEnabled_ = false;
    bool showsVertical_ = true;
    bool showsHorizontal_ = true;
    bool dragging_ = false;
    double zoomScale_ = 1;
    double minimumZoomScale_ = 1;
    double maximumZoomScale_ = 1;
    std::weak_ptr<ScrollViewDelegate> delegate_;
};

}  // namespace ui

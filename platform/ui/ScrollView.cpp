#include "platform/ui/ScrollView.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"

namespace ui {

ScrollView::ScrollView(const graphics::Rect& frame) : View(frame) {
    setClipsToBounds(true);
}

void ScrollView::setContentOffset(graphics::Point offset, bool animated) {
    auto b = bounds();
    if (b.origin == offset) {
        return;
    }
    b.origin = offset;
    setBounds(b);
    if (auto d = delegate()) {
        d->scrollViewDidScroll(*this);
    }
    if (animated) {
        std::weak_ptr<Responder> weak = weak_from_this();
        foundation::RunLoop::main().performAfter(kScrollAnimationDuration, [weak] {
            auto self = std::static_pointer_cast<ScrollView>(weak.lock());
            if (self) {
                if (auto d = self->delegate()) {
                    d->scrollViewDidEndScrollingAnimation(*self);
                }
            }
        });
    }
}

graphics::Point ScrollView::minimumContentOffset() const {
    return {-contentInset_.left, -contentInset_.top};
}

graphics::Point ScrollView::maximumContentOffset() const {
    auto size = bounds().size;
    auto min = minimumContentOffset();
    return {std::max(min.x, contentSize_.width + contentInset_.right - size.width),
            std::max(min.y, contentSize_.height + contentInset_.bottom - size.height)};
}

void ScrollView::scrollRectToVisible(const graphics::Rect& rect, bool animated) {
    auto b = bounds();
    auto offset = b.origin;
    if (rect.maxY() > b.maxY()) {
        offset.y = rect.maxY() - b.size.height;
    }
    if (rect.minY() < offset.y) {
        offset.y = rect.minY();
    }
    if (rect.maxX() > b.maxX()) {
        offset.x = rect.maxX() - b.size.width;
    }
    if (rect.minX() < offset.x) {
        offset.x = rect.minX();
    }
    auto min = minimumContentOffset();
    auto max = maximumContentOffset();
    offset.x = std::clamp(offset.x, min.x, max.x);
    offset.y = std::clamp(offset.y, min.y, max.y);
    setContentOffset(offset, animated);
}

void ScrollView::drag(graphics::Vector delta) {
    if (!scrollEnabled_) {
        return;
    }
    auto keep = shared_from_this();
    dragging_ = true;
    if (auto d = delegate()) {
        d->scrollViewWillBeginDragging(*this);
    }
    auto offset = contentOffset();
    offset.x -= delta.dx;
    offset.y -= delta.dy;
    auto min = minimumContentOffset();
    auto max = maximumContentOffset();
    offset.x = std::clamp(offset.x, min.x, max.x);
    offset.y = std::clamp(offset.y, min.y, max.y);
    setContentOffset(offset);
    dragging_ = false;
    if (auto d = delegate()) {
        d->scrollViewDidEndDragging(*this, false);
    }
}

void ScrollView::scrollToTop() {
    auto d = delegate();
    if (!scrollsToTop_ || (d && !d->scrollViewShouldScrollToTop(*this))) {
        return;
    }
    setContentOffset({contentOffset().x, minimumContentOffset().y});
    if (auto d2 = delegate()) {
        d2->scrollViewDidScrollToTop(*this);
    }
}

void ScrollView::setZoomScale(double scale, bool) {
    scale = std::clamp(scale, minimumZoomScale_, std::max(minimumZoomScale_, maximumZoomScale_));
    if (scale == zoomScale_) {
        return;
    }
    zoomScale_ = scale;
    if (auto d = delegate()) {
        if (auto zoomed = d->viewForZoomingInScrollView(*this)) {
            zoomed->setTransform(graphics::AffineTransform::makeScale(scale, scale));
        }
        d->scrollViewDidZoom(*this);
    }
}

}  // namespace ui

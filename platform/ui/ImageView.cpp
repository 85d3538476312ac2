#include "platform/ui/ImageView.h"

#include <cmath>

namespace ui {

ImageView::ImageView(const graphics::Rect& frame) : View(frame) {
    setUserInteractionEnabled(false);
    setOpaque(false);
}

ImageView::ImageView(graphics::Image::Ptr image)
    : ImageView(image ? graphics::Rect(graphics::Point{}, image->size()) : graphics::Rect()) {
    image_ = std::move(image);
}

void ImageView::setImage(graphics::Image::Ptr image) {
    image_ = std::move(image);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

graphics::Image::Ptr ImageView::displayedImage() const {
    if (animating_ && !animationImages_.empty()) {
        return animationImages_.front();
    }
    if (highlighted_ && highlightedImage_) {
        return highlightedImage_;
    }
    return image_;
}

graphics::Size ImageView::sizeThatFits(graphics::Size) const {
    return image_ ? image_->size() : graphics::Size{0, 0};
}

graphics::Size ImageView::intrinsicContentSize() const {
    return image_ ? image_->size() : graphics::Size{-1, -1};
}

std::string ImageView::outlineText() const {
    auto image = displayedImage();
    if (isHidden() || !image) {
        return {};
    }
    auto size = image->size();
    return "Image " + std::to_string(static_cast<int>(std::lround(size.width))) + "x" +
           std::to_string(static_cast<int>(std::lround(size.height)));
}

}  // namespace ui

#pragma once

// Shows an image (or its highlighted image, or a sequence of images while
// animating), sized to the image by sizeToFit.

#include <vector>

#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

namespace ui {

class ImageView : public View {
  public:
    using Ptr = std::shared_ptr<ImageView>;

    explicit ImageView(const graphics::Rect& frame = {});
    // A view the size of the image.
    explicit ImageView(graphics::Image::Ptr image);

    const graphics::Image::Ptr& image() const { return image_; }
    void setImage(graphics::Image::Ptr image);
    const graphics::Image::Ptr& highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(graphics::Image::Ptr image) { highlightedImage_ = std::move(image); }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    const std::vector<graphics::Image::Ptr>& animationImages() const { return animationImages_; }
    void setAnimationImages(std::vector<graphics::Image::Ptr> images) {
        animationImages_ = std::move(images);
    }
    double animationDuration() const { return animationDuration_; }
    void setAnimationDuration(double duration) { animationDuration_ = duration; }
    void startAnimating() { animating_ = !animationImages_.empty(); }
    void stopAnimating() { animating_ = false; }
    bool isAnimating() const { return animating_; }
    // The image on screen now.
    graphics::Image::Ptr displayedImage() const;

    graphics::Size sizeThatFits(graphics::Size size) const override;
    graphics::Size intrinsicContentSize() const override;
    std::string outlineText() const override;

  private:
    graphics::Image::Ptr image_;
    graphics::Image::Ptr highlightedImage_;
    bool highlighted_ = false;
    std::vector<graphics::Image::Ptr> animationImages_;
    double animationDuration_ = 0;
    bool animating_ = false;
};

}  // namespace ui

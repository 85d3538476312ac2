#pragma once

// A layer: the geometry and look behind every view (bounds, position, transform,
// opacity, border, corners) and free-standing layers added to a view's layer,
// with sublayers and keyed animations. Headless: nothing is drawn unless the
// screen is rendered, and then a free-standing layer shows only what its kind
// draws (drawInContext); animations leave the model values alone and show in
// the presentation copy.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Timer.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Animation.h"
#include "platform/ui/Transform3D.h"

namespace ui {

class Layer : public std::enable_shared_from_this<Layer> {
  public:
    Layer() = default;
    virtual ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    const graphics::Rect& bounds() const { return bounds_; }
    virtual void setBounds(const graphics::Rect& bounds) { bounds_ = bounds; }
    const graphics::Point& position() const { return position_; }
    virtual void setPosition(graphics::Point position) { position_ = position; }
    graphics::Point anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(graphics::Point anchor) { anchorPoint_ = anchor; }
    const Transform3D& transform() const { return transform_; }
    void setTransform(const Transform3D& transform) { transform_ = transform; }
    // The bounding box of the transformed bounds, in the superlayer.
    graphics::Rect frame() const;
    void setFrame(const graphics::Rect& frame);

    double opacity() const { return opacity_; }
    void setOpacity(double opacity) { opacity_ = opacity; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    bool masksToBounds() const { return masksToBounds_; }
    void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius) { cornerRadius_ = radius; }
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width) { borderWidth_ = width; }
    const graphics::Color& borderColor() const { return borderColor_; }
    void setBorderColor(const graphics::Color& color) { borderColor_ = color; }
    const std::optional<graphics::Color>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<graphics::Color> color) { backgroundColor_ = color; }
    double contentsScale() const { return contentsScale_; }
    void setContentsScale(double scale) { contentsScale_ = scale; }
    const graphics::Image::Ptr& contents() const { return contents_; }
    void setContents(graphics::Image::Ptr image) { contents_ = std::move(image); }
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // What a layer of this kind draws when the screen is rendered, in its
    // bounds' coordinates; a plain layer draws nothing.
    virtual void drawInContext(graphics::BitmapContext& context) const {}

    void setNeedsDisplay() { needsDisplay_ = true; }
    bool needsDisplay() const { return needsDisplay_; }
    void displayIfNeeded() { needsDisplay_ = false; }

    std::shared_ptr<Layer> superlayer() const { return superlayer_.lock(); }
    const std::vector<std::shared_ptr<Layer>>& sublayers() const { return sublayers_; }
    void addSublayer(const std::shared_ptr<Layer>& layer);
    void insertSublayer(const std::shared_ptr<Layer>& layer, std::size_t index);
    void removeFromSuperlayer();

    // addAnimation:forKey: : a copy of `animation` starts now (after its
    // begin time), replacing one under the same key.
    void addAnimation(const Animation& animation, const std::string& key);
    std::shared_ptr<const Animation> animationForKey(const std::string& key) const;
    std::vector<std::string> animationKeys() const;
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();

    // A detached copy of the layer's own values with the running animations
    // applied at the current time ("opacity", "position", "bounds", "bounds.size").
    std::shared_ptr<Layer> presentationLayer() const;

  protected:
    virtual void copyValuesTo(Layer& copy) const;

  private:
    struct Running {
        std::string key;
        std::shared_ptr<Animation> animation;
        double start = 0;
        std::shared_ptr<foundation::Timer> end;
    };

    void finish(const std::string& key);

    graphics::Rect bounds_;
    graphics::Point position_;
    graphics::Point anchorPoint_{0.5, 0.5};
    Transform3D transform_;
    double opacity_ = 1;
    bool hidden_ = false;
    bool masksToBounds_ = false;
    double cornerRadius_ = 0;
    double borderWidth_ = 0;
    graphics::Color borderColor_ = graphics::Color::blackColor();
    std::optional<graphics::Color> backgroundColor_;
    double contentsScale_ = 1;
    graphics::Image::Ptr contents_;
    std::string name_;
    bool needsDisplay_ = false;
    std::weak_ptr<Layer> superlayer_;
    std::vector<std::shared_ptr<Layer>> sublayers_;
    std::vector<Running> animations_;
};

}  // namespace ui

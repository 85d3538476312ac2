#pragma once

// A rectangle on the screen with subviews: frame, bounds, centre and transform
// (kept in its layer), look (alpha, hidden, colours, clipping), autoresizing and
// layout, hit testing, coordinate conversion and gesture recognizers. Headless:
// views hold state and text; nothing is drawn unless the screen is rendered.
// "hidden", "alpha", "center" and "frame" are observable (points and
// rectangles as their "{x, y}" texts).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Observable.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Event.h"
#include "platform/ui/Layer.h"
#include "platform/ui/Responder.h"

namespace graphics {
class BitmapContext;
}

namespace ui {

class GestureRecognizer;
class ViewController;
class Window;

enum class ContentMode {
    scaleToFill = 0,
    scaleAspectFit = 1,
    scaleAspectFill = 2,
    redraw = 3,
    center = 4,
    top = 5,
    bottom = 6,
    left = 7,
    right = 8,
};

// Autoresizing mask bits.
struct Autoresizing {
    static constexpr int none = 0;
    static constexpr int flexibleLeftMargin = 1;
    static constexpr int flexibleWidth = 2;
    static constexpr int flexibleRightMargin = 4;
    static constexpr int flexibleTopMargin = 8;
    static constexpr int flexibleHeight = 16;
    static constexpr int flexibleBottomMargin = 32;
};

class View : public Responder, public foundation::Observable {
  public:
    using Ptr = std::shared_ptr<View>;

    explicit View(const graphics::Rect& frame = {});
    ~View() override;

    // The dynamic type's name, for outlines and log lines ("View", "Label", ...).
    virtual std::string className() const;

    // Geometry. Frame is derived from bounds, centre and transform; setting
    // the bounds keeps the centre.
    virtual graphics::Rect frame() const;
    virtual void setFrame(const graphics::Rect& frame);
    virtual graphics::Rect bounds() const;
    virtual void setBounds(const graphics::Rect& bounds);
    graphics::Point center() const;
    void setCenter(graphics::Point center);
    graphics::AffineTransform transform() const;
    void setTransform(const graphics::AffineTransform& transform);

    // Look.
    double alpha() const;
    virtual void setAlpha(double alpha);
    bool isHidden() const;
    virtual void setHidden(bool hidden);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    std::optional<graphics::Color> backgroundColor() const;
    virtual void setBackgroundColor(std::optional<graphics::Color> color);
    bool clipsToBounds() const;
    void setClipsToBounds(bool clips);
    ContentMode contentMode() const { return contentMode_; }
    void setContentMode(ContentMode mode) { contentMode_ = mode; }
    // The tint colour, inherited from the superview when not set here.
    graphics::Color tintColor() const;
    void setTintColor(std::optional<graphics::Color> color) { tintColor_ = color; }
    Layer& layer() const { return *layer_; }
    const std::shared_ptr<Layer>& layerPtr() const { return layer_; }

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // This view or the first descendant (depth first) with `tag`.
    Ptr viewWithTag(int tag);

    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    bool isMultipleTouchEnabled() const { return multipleTouchEnabled_; }
    void setMultipleTouchEnabled(bool enabled) { multipleTouchEnabled_ = enabled; }
    bool isExclusiveTouch() const { return exclusiveTouch_; }
    void setExclusiveTouch(bool exclusive) { exclusiveTouch_ = exclusive; }

    const std::string& accessibilityLabel() const { return accessibilityLabel_; }
    void setAccessibilityLabel(std::string label) { accessibilityLabel_ = std::move(label); }
    bool isAccessibilityElement() const { return accessibilityElement_; }
    void setIsAccessibilityElement(bool element) { accessibilityElement_ = element; }

    // Hierarchy.
    Ptr superview() const { return superview_.lock(); }
    const std::vector<Ptr>& subviews() const { return subviews_; }
    void addSubview(const Ptr& view);
    void insertSubview(const Ptr& view, std::size_t index);
    void insertSubviewBelow(const Ptr& view, const Ptr& sibling);
    void insertSubviewAbove(const Ptr& view, const Ptr& sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const Ptr& view);
    void sendSubviewToBack(const Ptr& view);
    bool isDescendantOfView(const View* view) const;
    std::shared_ptr<Window> window() const;
    // The first view of type T among the descendants, breadth first, up to
    // `depth` levels down (0: any depth).
    template <typename T>
    std::shared_ptr<T> firstSubviewOfType(int depth = 0) const;

    // The controller whose view this is, if any.
    std::shared_ptr<ViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::weak_ptr<ViewController>& controller) {
        viewController_ = controller;
    }

    // Layout.
    int autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(int mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }
    bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
        translatesMask_ = translates;
    }
    // Marks the view for layout; a view in a window is laid out on the next
    // turn of the main run loop, or at once by layoutIfNeeded().
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Lays out this view and its subtree where marked.
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    virtual graphics::Size sizeThatFits(graphics::Size size) const { return bounds().size; }
    void sizeToFit();
    // The natural size; -1 in a dimension that has none.
    virtual graphics::Size intrinsicContentSize() const { return {-1, -1}; }
    void invalidateIntrinsicContentSize() { ++intrinsicContentSizeInvalidations_; }
    int intrinsicContentSizeInvalidations() const { return intrinsicContentSizeInvalidations_; }

    // What the view draws itself when the screen is rendered, in its bounds'
    // coordinates, over its background and over what the renderer draws for
    // the layer's own kinds (label text, images...). The context is also the
    // current one (graphics::currentContext) while this runs.
    virtual void drawContent(graphics::BitmapContext& context) const {}

    void setNeedsDisplay() {
        needsDisplay_ = true;
        ++displayRequests_;
    }
    // How many times a redraw was asked for.
    int displayRequests() const { return displayRequests_; }
    bool needsDisplay() const { return needsDisplay_; }
    void clearNeedsDisplay() { needsDisplay_ = false; }

    // Coordinate conversion; nullptr stands for the window (or the topmost
    // ancestor when the view is in no window).
    graphics::Point convertPointToView(graphics::Point point, const View* view) const;
    graphics::Point convertPointFromView(graphics::Point point, const View* view) const;
    graphics::Rect convertRectToView(const graphics::Rect& rect, const View* view) const;
    graphics::Rect convertRectFromView(const graphics::Rect& rect, const View* view) const;

    // snapshotViewAfterScreenUpdates: a new image view of this view's size
    // showing it as it is drawn now (headless, nothing is pending, so the
    // flag changes nothing).
    Ptr snapshotViewAfterScreenUpdates(bool afterUpdates) const;

    // Hit testing: the deepest visible, interactive view containing `point`
    // (in this view's coordinates), front to back.
    virtual Ptr hitTest(graphics::Point point, const Event* event);
    virtual bool pointInside(graphics::Point point, const Event* event) const;

    // Touches delivered to the view that was hit.
    virtual void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event) {}
    virtual void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event) {}
    virtual void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                              const Event& event) {}
    virtual void touchesCancelled(const std::vector<std::shared_ptr<Touch>>& touches,
                                  const Event& event) {}

    void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }

    // Resigns the first responder inside this subtree.
    bool endEditing(bool force);

    // Hierarchy hooks.
    virtual void willMoveToSuperview(View* newSuperview) {}
    virtual void didMoveToSuperview() {}
    virtual void willMoveToWindow(Window* newWindow) {}
    virtual void didMoveToWindow() {}
    virtual void didAddSubview(View* subview) {}
    virtual void willRemoveSubview(View* subview) {}

    foundation::Value valueForKey(std::string_view key) const override;

    // The view's own line in a screen outline ("" for a plain container).
    virtual std::string outlineText() const { return ""; }
    // Whether outlines walk into the subviews.
    virtual bool outlinesSubviews() const { return true; }

  protected:
    // Moves subviews after this view's bounds size changed.
    void autoresizeSubviews(graphics::Size oldSize);
    void autoresize(graphics::Size oldSuperSize, graphics::Size newSuperSize);

  private:
    void notifyWindowChange(Window* oldWindow, Window* newWindow, bool before);
    graphics::Point toSuperview(graphics::Point p) const;
    graphics::Point fromSuperview(graphics::Point p) const;
    const View* root() const;

    std::shared_ptr<Layer> layer_;
    bool opaque_ = true;
    ContentMode contentMode_ = ContentMode::scaleToFill;
    std::optional<graphics::Color> tintColor_;
    int tag_ = 0;
    bool userInteractionEnabled_ = true;
    bool multipleTouchEnabled_ = false;
    bool exclusiveTouch_ = false;
    std::string accessibilityLabel_;
    bool accessibilityElement_ = false;
    std::weak_ptr<View> superview_;
    std::vector<Ptr> subviews_;
    std::weak_ptr<ViewController> viewController_;
    int autoresizingMask_ = Autoresizing::none;
    bool autoresizesSubviews_ = true;
    bool translatesMask_ = true;
    bool needsLayout_ = false;
    bool needsDisplay_ = false;
    int displayRequests_ = 0;
    int intrinsicContentSizeInvalidations_ = 0;
    std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;
};

template <typename T>
std::shared_ptr<T> View::firstSubviewOfType(int depth) const {
    std::vector<std::pair<Ptr, int>> queue;
    for (const auto& subview : subviews_) {
        queue.emplace_back(subview, 1);
    }
    for (std::size_t i = 0; i < queue.size(); ++i) {
        auto [view, level] = queue[i];
        if (auto match = std::dynamic_pointer_cast<T>(view)) {
            return match;
        }
        if (depth == 0 || level < depth) {
            for (const auto& subview : view->subviews_) {
                queue.emplace_back(subview, level + 1);
            }
        }
    }
    return nullptr;
}

}  // namespace ui

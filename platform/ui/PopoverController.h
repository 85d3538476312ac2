#pragma once

// A floating panel (tablets) showing a controller, pointing at a rectangle of
// a view or at a bar item. Its content appears and disappears with it. A tap
// outside (simulated) asks the delegate, dismisses and tells it; dismissing
// from code tells no delegate.

#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/PopoverControllerDelegate.h"
#include "platform/ui/PopoverPresentationController.h"
#include "platform/ui/ViewController.h"

namespace ui {

class PopoverController : public std::enable_shared_from_this<PopoverController> {
  public:
    using Ptr = std::shared_ptr<PopoverController>;

    explicit PopoverController(ViewController::Ptr content) : content_(std::move(content)) {}

    const ViewController::Ptr& contentViewController() const { return content_; }
    void setContentViewController(ViewController::Ptr content) { content_ = std::move(content); }
    graphics::Size popoverContentSize() const { return contentSize_; }
    void setPopoverContentSize(graphics::Size size) { contentSize_ = size; }
    std::shared_ptr<PopoverControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<PopoverControllerDelegate>& delegate) {
        delegate_ = delegate;
    }

    void presentFromRect(const graphics::Rect& rect, const View::Ptr& view, unsigned arrows,
                         bool animated);
    void presentFromBarButtonItem(const std::shared_ptr<BarButtonItem>& item, unsigned arrows,
                                  bool animated);
    void dismissPopover(bool animated);
    bool isPopoverVisible() const { return visible_; }
    const PopoverPresentationController& anchor() const { return anchor_; }
    void tapOutside();

    // Popovers on screen, oldest first.
    static std::vector<Ptr> visiblePopovers();

  private:
    void show(bool animated);

    ViewController::Ptr content_;
    graphics::Size contentSize_{320, 480};
    std::weak_ptr<PopoverControllerDelegate> delegate_;
    PopoverPresentationController anchor_;
    bool visible_ = false;
};

}  // namespace ui

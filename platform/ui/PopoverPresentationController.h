#pragma once

// Where a sheet presented as a popover (on a tablet) points: a view and a
// rectangle in it, or a bar item, with the permitted arrow directions.

#include <memory>

#include "platform/graphics/Geometry.h"

namespace ui {

class BarButtonItem;
class View;

struct PopoverArrowDirection {
    static constexpr unsigned up = 1 << 0;
    static constexpr unsigned down = 1 << 1;
    static constexpr unsigned left = 1 << 2;
    static constexpr unsigned right = 1 << 3;
    static constexpr unsigned any = up | down | left | right;
};

class PopoverPresentationController {
  public:
    std::shared_ptr<View> sourceView() const { return sourceView_.lock(); }
    void setSourceView(const std::shared_ptr<View>& view) { sourceView_ = view; }
    graphics::Rect sourceRect() const { return sourceRect_; }
    void setSourceRect(const graphics::Rect& rect) { sourceRect_ = rect; }
    std::shared_ptr<BarButtonItem> barButtonItem() const { return barButtonItem_.lock(); }
    void setBarButtonItem(const std::shared_ptr<BarButtonItem>& item) { barButtonItem_ = item; }
    unsigned permittedArrowDirections() const { return arrows_; }
    void setPermittedArrowDirections(unsigned arrows) { arrows_ = arrows; }

  private:
    std::weak_ptr<View> sourceView_;
    graphics::Rect sourceRect_;
    std::weak_ptr<BarButtonItem> barButtonItem_;
    unsigned arrows_ = PopoverArrowDirection::any;
};

}  // namespace ui

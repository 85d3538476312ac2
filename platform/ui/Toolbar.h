#pragma once

// A bar of items along the bottom of a screen (or anywhere a screen puts it);
// the same item may appear more than once.

#include <vector>

#include "platform/ui/BarButtonItem.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/View.h"

namespace ui {

class Toolbar : public View {
  public:
    static constexpr double kHeight = 44;

    explicit Toolbar(const graphics::Rect& frame = graphics::Rect(0, 0, 320, kHeight))
        : View(frame) {}

    const std::vector<BarButtonItem::Ptr>& items() const { return items_; }
    void setItems(std::vector<BarButtonItem::Ptr> items, bool animated = false) {
        items_ = std::move(items);
    }
    BarStyle barStyle() const { return barStyle_; }
    void setBarStyle(BarStyle style) { barStyle_ = style; }
    bool isTranslucent() const { return translucent_; }
    void setTranslucent(bool translucent) { translucent_ = translucent; }
    std::optional<graphics::Color> barTintColor() const { return barTintColor_; }
    void setBarTintColor(std::optional<graphics::Color> color) { barTintColor_ = color; }

    // The first item (not a space) whose title or accessibility label is `title`.
    BarButtonItem::Ptr itemTitled(const std::string& title) const;

    graphics::Size sizeThatFits(graphics::Size size) const override {
        return {size.width, kHeight};
    }
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    std::vector<BarButtonItem::Ptr> items_;
    BarStyle barStyle_ = BarStyle::defaultStyle;
    bool translucent_ = false;
    std::optional<graphics::Color> barTintColor_;
};

}  // namespace ui

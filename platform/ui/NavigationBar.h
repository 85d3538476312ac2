#pragma once

// The bar at the top of a navigation controller: the stack of navigation
// items (the top one's title and buttons, a back button titled after the item
// below), bar style, tint and title text attributes.

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/View.h"

namespace ui {

enum class BarStyle { defaultStyle = 0, black = 1, blackTranslucent = 2 };

class NavigationBar : public View {
  public:
    static constexpr double kHeight = 44;

    explicit NavigationBar(const graphics::Rect& frame = graphics::Rect(0, 0, 320, kHeight))
        : View(frame) {}

    const std::vector<std::shared_ptr<NavigationItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<NavigationItem>> items, bool animated = false) {
        items_ = std::move(items);
    }
    std::shared_ptr<NavigationItem> topItem() const {
        return items_.empty() ? nullptr : items_.back();
    }
    std::shared_ptr<NavigationItem> backItem() const {
        return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
    }
    // The back button's title ("" when none shows): the item below's back
    // item title, else its title, else "Back".
    std::string backButtonTitle() const;

    BarStyle barStyle() const { return barStyle_; }
    void setBarStyle(BarStyle style) { barStyle_ = style; }
    bool isTranslucent() const { return translucent_; }
    void setTranslucent(bool translucent) { translucent_ = translucent; }
    std::optional<graphics::Color> barTintColor() const { return barTintColor_; }
    void setBarTintColor(std::optional<graphics::Color> color) { barTintColor_ = color; }
    std::optional<Font> titleFont() const { return titleFont_; }
    std::optional<graphics::Color> titleColor() const { return titleColor_; }
    // The title text attributes: font and foreground colour.
    void setTitleTextAttributes(std::optional<Font> font, std::optional<graphics::Color> color) {
        titleFont_ = std::move(font);
        titleColor_ = color;
    }

    graphics::Size sizeThatFits(graphics::Size size) const override {
        return {size.width, kHeight};
    }
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    std::vector<std::shared_ptr<NavigationItem>> items_;
    BarStyle barStyle_ = BarStyle::defaultStyle;
    bool translucent_ = true;
    std::optional<graphics::Color> barTintColor_;
    std::optional<Font> titleFont_;
    std::optional<graphics::Color> titleColor_;
};

}  // namespace ui

#pragma once

// The edit menu (Copy, ...) shown over a rectangle of a view; records where
// and whether it shows, and its custom items.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

namespace ui {

class View;

struct MenuItem {
    std::string title;
    std::function<void()> action;
};

class MenuController {
  public:
    static MenuController& shared();

    void setTargetRect(const graphics::Rect& rect, const std::shared_ptr<View>& view);
    graphics::Rect targetRect() const { return targetRect_; }
    std::shared_ptr<View> targetView() const { return targetView_.lock(); }
    bool isMenuVisible() const { return visible_; }
    void setMenuVisible(bool visible, bool animated = false) { visible_ = visible; }
    const std::vector<MenuItem>& menuItems() const { return items_; }
    // The titles the visible menu offers: the edit commands the first
    // responder can perform, then the custom items. Empty while hidden.
    std::vector<std::string> visibleItemTitles() const;
    // What a finger does: chooses the item with that title; the menu hides
    // and the command goes to the first responder. False when not offered.
    bool tapItem(const std::string& title);
    void setMenuItems(std::vector<MenuItem> items) { items_ = std::move(items); }
    void reset();

  private:
    graphics::Rect targetRect_;
    std::weak_ptr<View> targetView_;
    bool visible_ = false;
    std::vector<MenuItem> items_;
};

}  // namespace ui

#pragma once

// What a controller shows in the navigation bar while it is on top: its title
// (or a title view), the left and right items, the back item it gives to the
// screen pushed over it, and whether the back button is hidden.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/BarButtonItem.h"

namespace ui {

class NavigationItem {
  public:
    explicit NavigationItem(std::string title = {}) : title_(std::move(title)) {}

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& prompt() const { return prompt_; }
    void setPrompt(std::string prompt) { prompt_ = std::move(prompt); }
    const View::Ptr& titleView() const { return titleView_; }
    void setTitleView(View::Ptr view) { titleView_ = std::move(view); }

    BarButtonItem::Ptr leftBarButtonItem() const { return left_.empty() ? nullptr : left_.front(); }
    void setLeftBarButtonItem(BarButtonItem::Ptr item, bool animated = false);
    const std::vector<BarButtonItem::Ptr>& leftBarButtonItems() const { return left_; }
    void setLeftBarButtonItems(std::vector<BarButtonItem::Ptr> items, bool animated = false) {
        left_ = std::move(items);
    }
    BarButtonItem::Ptr rightBarButtonItem() const {
        return right_.empty() ? nullptr : right_.front();
    }
    void setRightBarButtonItem(BarButtonItem::Ptr item, bool animated = false);
    const std::vector<BarButtonItem::Ptr>& rightBarButtonItems() const { return right_; }
    void setRightBarButtonItems(std::vector<BarButtonItem::Ptr> items, bool animated = false) {
        right_ = std::move(items);
    }
    const BarButtonItem::Ptr& backBarButtonItem() const { return back_; }
    void setBackBarButtonItem(BarButtonItem::Ptr item) { back_ = std::move(item); }
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides, bool animated = false) { hidesBackButton_ = hides; }

  private:
    std::string title_;
    std::string prompt_;
    View::Ptr titleView_;
    std::vector<BarButtonItem::Ptr> left_;
    std::vector<BarButtonItem::Ptr> right_;
    BarButtonItem::Ptr back_;
    bool hidesBackButton_ = false;
};

}  // namespace ui

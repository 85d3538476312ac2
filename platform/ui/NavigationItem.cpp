#include "platform/ui/NavigationItem.h"

namespace ui {

void NavigationItem::setLeftBarButtonItem(BarButtonItem::Ptr item, bool) {
    left_.clear();
    if (item) {
        left_.push_back(std::move(item));
    }
}

void NavigationItem::setRightBarButtonItem(BarButtonItem::Ptr item, bool) {
    right_.clear();
    if (item) {
        right_.push_back(std::move(item));
    }
}

}  // namespace ui

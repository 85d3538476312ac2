#include "platform/ui/Toolbar.h"

namespace ui {

BarButtonItem::Ptr Toolbar::itemTitled(const std::string& title) const {
    for (const auto& item : items_) {
        if (!item->isSpace() && item->displayTitle() == title) {
            return item;
        }
    }
    return nullptr;
}

std::string Toolbar::outlineText() const {
    std::string line = "Toolbar";
    for (const auto& item : items_) {
        if (!item->isSpace()) {
            line += " " + item->outlineText();
        }
    }
    return line;
}

}  // namespace ui

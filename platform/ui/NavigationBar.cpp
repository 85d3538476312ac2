#include "platform/ui/NavigationBar.h"

namespace ui {

std::string NavigationBar::backButtonTitle() const {
    auto top = topItem();
    auto below = backItem();
    if (!below || (top && (top->hidesBackButton() || top->leftBarButtonItem()))) {
        return {};
    }
    if (below->backBarButtonItem() && !below->backBarButtonItem()->title().empty()) {
        return below->backBarButtonItem()->title();
    }
    return below->title().empty() ? "Back" : below->title();
}

std::string NavigationBar::outlineText() const {
    auto top = topItem();
    std::string line = "NavigationBar";
    auto back = backButtonTitle();
    if (!back.empty()) {
        line += " <" + back;
    }
    if (!top) {
        return line;
    }
    for (const auto& item : top->leftBarButtonItems()) {
        line += " " + item->outlineText();
    }
    line += " \"" + top->title() + "\"";
    for (const auto& item : top->rightBarButtonItems()) {
        line += " " + item->outlineText();
    }
    return line;
}

}  // namespace ui

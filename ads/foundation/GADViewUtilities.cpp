#include "ads/foundation/GADViewUtilities.h"

#include "platform/ui/Window.h"

std::optional<foundation::Dictionary> GADViewUtilities::positionOfView(
    const std::shared_ptr<ui::View>& view, const ui::Screen& screen) {
    const auto superview = view ? view->superview() : nullptr;
    const auto window = view ? view->window() : nullptr;
    if (!superview || !window) {
        return std::nullopt;
    }
    graphics::Rect rect = superview->convertRectToView(view->frame(), nullptr);
    rect.origin.x += window->frame().origin.x;
    rect.origin.y += window->frame().origin.y;
    const double width = view->frame().size.width;
    const double height = view->frame().size.height;
    const graphics::Rect applicationFrame = screen.applicationFrame();
    const bool visible = !view->isHidden() && rect.origin.x + width > 0 &&
                         rect.origin.y + height > 0 &&
                         rect.origin.x <= applicationFrame.size.width &&
                         rect.origin.y <= applicationFrame.size.height;
    return foundation::Dictionary{{"x", static_cast<float>(rect.origin.x)},
                                  {"y", static_cast<float>(rect.origin.y)},
                                  {"width", static_cast<float>(rect.size.width)},
                                  {"height", static_cast<float>(rect.size.height)},
                                  {"visible", visible}};
}

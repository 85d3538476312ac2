#include "ads/api/GADSearchRequestPrivate.h"

void GADSearchRequestPrivate::setBackgroundSolid(const std::optional<graphics::Color>& color) {
    setBackgroundColor(color);
    setGradientFrom(std::nullopt);
    setGradientTo(std::nullopt);
}

void GADSearchRequestPrivate::setBackgroundGradientFrom(const std::optional<graphics::Color>& from,
                                                        const std::optional<graphics::Color>& to) {
    if (!from || !to) {
        return;
    }
    setBackgroundColor(std::nullopt);
    setGradientFrom(from);
    setGradientTo(to);
}

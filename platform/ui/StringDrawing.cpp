#include "platform/ui/StringDrawing.h"

#include <algorithm>

#include "platform/graphics/ImageContext.h"
#include "platform/ui/TextMeasurement.h"

namespace ui {

graphics::Size drawStringInRect(std::string_view text, const graphics::Rect& rect, const Font& font,
                                LineBreakMode mode, TextAlignment alignment) {
    const auto lines = TextMeasurement::wrapLines(text, font, rect.size.width, mode);
    const auto maxLines =
        std::max<std::size_t>(1, static_cast<std::size_t>(rect.size.height / font.lineHeight()));
    auto* context = graphics::currentContext();
    const graphics::Font drawingFont{font.fontName(), font.pointSize(), font.isBold()};
    graphics::Size used;
    for (std::size_t i = 0; i < lines.size() && i < maxLines; ++i) {
        const double width = font.widthOf(lines[i]);
        double x = rect.origin.x;
        if (alignment == TextAlignment::center) {
            x += (rect.size.width - width) / 2;
        } else if (alignment == TextAlignment::right) {
            x += rect.size.width - width;
        }
        const double y = rect.origin.y + static_cast<double>(i) * font.lineHeight();
        if (context) {
            context->drawText(lines[i], {x, y}, drawingFont);
        }
        used.width = std::max(used.width, width);
        used.height += font.lineHeight();
    }
    return used;
}

}  // namespace ui

#pragma once

// The style of one element as the painter uses it, resolved from the browser
// defaults for its tag, its presentational attributes, the page's rules (by
// specificity, then order; "!important" first) and its inline style, with
// the inherited properties taken from its parent.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/web/CSSValues.h"
#include "platform/web/PageNode.h"
#include "platform/web/StyleSheet.h"

namespace web {

enum class Display { block, inlineLevel, inlineBlock, none };
enum class Position { staticPosition, relative, absolute, fixed };
enum class TextAlign { left, center, right };

struct ComputedStyle {
    Display display = Display::inlineLevel;
    Position position = Position::staticPosition;
    bool visible = true;
    std::optional<CSSLength> width;
    std::optional<CSSLength> height;
    std::optional<CSSLength> left;
    std::optional<CSSLength> top;
    std::optional<CSSLength> right;
    std::optional<CSSLength> bottom;
    // Top, right, bottom, left.
    CSSLength margin[4];
    CSSLength padding[4];
    double border[4] = {0, 0, 0, 0};
    graphics::Color borderColor = graphics::Color::blackColor();
    std::optional<graphics::Color> background;
    std::optional<std::string> backgroundImage;
    graphics::Color color = graphics::Color::blackColor();
    double fontSize = 16;
    bool bold = false;
    TextAlign textAlign = TextAlign::left;
    double opacity = 1;
    bool clips = false;
    bool preservesWhiteSpace = false;

    // The style of `element` (ancestors outermost first) inside `parent`'s.
    static ComputedStyle resolve(const PageNode& element,
                                 const std::vector<const PageNode*>& ancestors,
                                 const ComputedStyle& parent, const StyleSheet& sheet,
                                 graphics::Size viewport);
    // The style of the document's canvas: what the root inherits from.
    static ComputedStyle initial();
    // The line height for text in this style.
    double lineHeight() const { return fontSize * 1.2; }
};

}  // namespace web

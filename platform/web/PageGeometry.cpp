#include "platform/web/PageGeometry.h"

#include <nlohmann/json.hpp>

#include <vector>

#include "platform/foundation/Format.h"
#include "platform/web/ComputedStyle.h"
#include "platform/web/Painter.h"
#include "platform/web/StyleSheet.h"

namespace web {

namespace {

using nlohmann::json;

// What the boxes say of one element.
struct Boxes {
    graphics::Rect own = graphics::Rect::null();
    graphics::Rect text = graphics::Rect::null();
    std::array<double, 4> border{0, 0, 0, 0};
};

void collect(const LayoutBox& box, std::vector<Boxes>& boxes) {
    if (box.element.size() == 1 && box.element[0] >= 0 &&
        static_cast<std::size_t>(box.element[0]) < boxes.size()) {
        auto& entry = boxes[static_cast<std::size_t>(box.element[0])];
        if (!box.text.empty()) {
            entry.text = entry.text.unionWith(box.frame);
        } else if (entry.own.isNull()) {
            entry.own = box.frame;
            entry.border = box.border;
        }
    }
    for (const auto& child : box.children) {
        collect(child, boxes);
    }
}

int countElements(const PageNode& node) {
    int count = node.isText ? 0 : node.elementIndex + 1;
    for (const auto& child : node.children) {
        count = std::max(count, countElements(child));
    }
    return count;
}

std::string cssColor(const graphics::Color& color) {
    const auto c = color.toRgba8();
    if (c.a == 255) {
        return foundation::format("rgb(%d, %d, %d)", c.r, c.g, c.b);
    }
    return foundation::format("rgba(%d, %d, %d, %g)", c.r, c.g, c.b, c.a / 255.0);
}

std::string cssPixels(double value) {
    return foundation::format("%gpx", value);
}

const char* positionName(Position position) {
    switch (position) {
        case Position::relative:
            return "relative";
        case Position::absolute:
            return "absolute";
        case Position::fixed:
            return "fixed";
        default:
            return "static";
    }
}

const char* displayName(Display display) {
    switch (display) {
        case Display::block:
            return "block";
        case Display::inlineBlock:
            return "inline-block";
        case Display::none:
            return "none";
        default:
            return "inline";
    }
}

// The computed values the painter works with, as CSS text.
// Widths and heights are those of the content box, for elements with a box
// of their own.
json styleOf(const ComputedStyle& style, const graphics::Rect& box, bool ownBox,
             graphics::Size viewport) {
    static const char* const sides[] = {"top", "right", "bottom", "left"};
    json out = {
        {"display", displayName(style.display)},
        {"position", positionName(style.position)},
        {"visibility", style.visible ? "visible" : "hidden"},
        {"color", cssColor(style.color)},
        {"background-color", cssColor(style.background.value_or(graphics::Color::clearColor()))},
        {"font-size", cssPixels(style.fontSize)},
        {"font-weight", style.bold ? "700" : "400"},
        {"line-height", cssPixels(style.lineHeight())},
        {"opacity", foundation::format("%g", style.opacity)},
        {"overflow", style.clips ? "hidden" : "visible"},
        {"white-space", style.preservesWhiteSpace ? "pre" : "normal"},
        {"text-align", style.textAlign == TextAlign::center  ? "center"
                       : style.textAlign == TextAlign::right ? "right"
                                                             : "left"},
    };
    double padding[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const std::string side = sides[i];
        out["border-" + side + "-width"] = cssPixels(style.border[i]);
        if (auto margin = style.margin[i].resolve(box.size.width, style.fontSize, viewport)) {
            out["margin-" + side] = cssPixels(*margin);
        }
        if (auto inside = style.padding[i].resolve(box.size.width, style.fontSize, viewport)) {
            padding[i] = *inside;
            out["padding-" + side] = cssPixels(*inside);
        }
    }
    if (ownBox) {
        out["width"] = cssPixels(std::max(
            0.0, box.size.width - style.border[1] - style.border[3] - padding[1] - padding[3]));
        out["height"] = cssPixels(std::max(
            0.0, box.size.height - style.border[0] - style.border[2] - padding[0] - padding[2]));
    }
    return out;
}

class Describer {
  public:
    Describer(const PageDocument& document, const LayoutBox& canvas)
        : viewport_(canvas.frame.size),
          boxes_(static_cast<std::size_t>(countElements(document.root))),
          out_(boxes_.size(), nullptr) {
        collect(canvas, boxes_);
        int order = 0;
        for (const auto& text : document.styleSheets) {
            auto sheet = StyleSheet::parse(text, order);
            order += static_cast<int>(sheet.rules().size());
            sheet_.append(sheet);
        }
    }

    json run(const PageNode& root) {
        std::vector<const PageNode*> ancestors;
        describe(root, ancestors, ComputedStyle::initial());
        return std::move(out_);
    }

  private:
    // Fills the entry of `node` and its elements; answers the union of the
    // boxes in it and their extent.
    std::pair<graphics::Rect, graphics::Rect> describe(const PageNode& node,
                                                       std::vector<const PageNode*>& ancestors,
                                                       const ComputedStyle& parent) {
        const auto style = ComputedStyle::resolve(node, ancestors, parent, sheet_, viewport_);
        const auto& boxes = boxes_[static_cast<std::size_t>(node.elementIndex)];
        graphics::Rect rect = boxes.own.isNull() ? boxes.text : boxes.own;
        graphics::Rect extent = rect;
        ancestors.push_back(&node);
        for (const auto& child : node.children) {
            if (child.isText || child.elementIndex < 0) {
                continue;
            }
            auto [inner, innerExtent] = describe(child, ancestors, style);
            if (boxes.own.isNull() && !inner.isNull()) {
                rect = rect.isNull() ? inner : rect.unionWith(inner);
            }
            if (!innerExtent.isNull()) {
                extent = extent.isNull() ? innerExtent : extent.unionWith(innerExtent);
            }
        }
        ancestors.pop_back();
        json entry = {{"style", styleOf(style, rect, !boxes.own.isNull(), viewport_)}};
        if (!rect.isNull()) {
            const auto& b = boxes.border;
            entry["box"] = {
                rect.origin.x, rect.origin.y, rect.size.width, rect.size.height,   b[0], b[1], b[2],
                b[3],          extent.maxX(), extent.maxY(),   !boxes.own.isNull()};
        }
        out_[static_cast<std::size_t>(node.elementIndex)] = std::move(entry);
        return {rect, extent};
    }

    graphics::Size viewport_;
    std::vector<Boxes> boxes_;
    StyleSheet sheet_;
    json out_;
};

}  // namespace

std::string PageGeometry::describe(const PageDocument& document, const LayoutBox& canvas) {
    json out = {{"width", canvas.frame.size.width},
                {"height", canvas.frame.size.height},
                {"elements", json::array()}};
    if (!document.root.isText && document.root.elementIndex >= 0) {
        out["elements"] = Describer(document, canvas).run(document.root);
    }
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

int PageGeometry::elementAt(const LayoutBox& canvas, graphics::Point point) {
    const LayoutBox* box = Painter::boxAtPoint(canvas, point);
    return box != nullptr && !box->element.empty() ? box->element.front() : -1;
}

}  // namespace web

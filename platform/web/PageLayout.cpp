#include "platform/web/PageLayout.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "platform/ui/Font.h"

namespace web {

namespace {

using Ancestors = std::vector<const PageNode*>;

constexpr int kMaxDepth = 256;

graphics::Font fontOf(const ComputedStyle& style) {
    return graphics::Font{"DejaVu Sans", style.fontSize, style.bold};
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0x20000 && c <= 0x3FFFD);
}

// A canvas is as large as its bitmap (its width and height attributes, 300 by
// 150 by default) where its style gives no size, in the bitmap's proportions
// when the style gives one side.
void canvasSize(const PageNode& node, std::optional<double>& width, std::optional<double>& height) {
    auto side = [&node](const char* name, double fallback) {
        const std::string text = node.attribute(name);
        const bool digits = !text.empty() && text.size() < 7 &&
                            text.find_first_not_of("0123456789") == std::string::npos;
        return digits ? std::stod(text) : fallback;
    };
    const double w = side("width", 300);
    const double h = side("height", 150);
    if (width && !height) {
        height = w > 0 ? *width * h / w : h;
    } else if (height && !width) {
        width = h > 0 ? *height * w / h : w;
    }
    width = width.value_or(w);
    height = height.value_or(h);
}

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f';
}

// A piece of inline content waiting for its line.
struct Item {
    enum class Kind { word, lineBreak, atomic } kind = Kind::word;
    std::string text;
    bool spaceBefore = false;
    graphics::Font font;
    graphics::Color color;
    std::optional<graphics::Color> background;
    bool hidden = false;
    std::vector<int> element;
    double width = 0;
    double height = 0;
    LayoutBox box;
};

// One block container's content being laid out.
struct Flow {
    double x = 0;
    double width = 0;
    double y = 0;
    TextAlign align = TextAlign::left;
    std::vector<Item> items;
    std::vector<LayoutBox>* out = nullptr;
    // The right edge of the widest content, for boxes that shrink to fit.
    double right = 0;
};

// An absolute or fixed box, laid out once its containing block is known.
struct Deferred {
    const PageNode* node;
    ComputedStyle style;
    Ancestors ancestors;
    graphics::Point staticPosition;
    std::vector<int> prefix;
};

class Layouter {
  public:
    Layouter(const PageDocument& document, graphics::Size viewport,
             const PageLayout::ImageLoader& images, std::vector<int> prefix)
        : document_(document), viewport_(viewport), images_(images), prefix_(std::move(prefix)) {
        int order = 0;
        for (const auto& text : document.styleSheets) {
            auto sheet = StyleSheet::parse(text, order);
            order += static_cast<int>(sheet.rules().size());
            sheet_.append(sheet);
        }
    }

    LayoutBox run() {
        LayoutBox canvas;
        canvas.frame = {0, 0, viewport_.width, viewport_.height};
        const PageNode& root = document_.root;
        auto rootStyle =
            ComputedStyle::resolve(root, {}, ComputedStyle::initial(), sheet_, viewport_);
        if (rootStyle.display == Display::none) {
            return canvas;
        }
        rootStyle.display = Display::block;
        std::vector<Deferred> fixed;
        containers_.push_back(&fixed);
        Ancestors ancestors;
        double marginBottom = 0;
        auto box = blockBox(root, rootStyle, ancestors, 0, 0, viewport_.width, viewport_.height,
                            false, marginBottom);
        canvas.background = rootStyle.background;
        if (!canvas.background) {
            canvas.background = bodyBackground(root, rootStyle, box);
        }
        canvas.frame.size.height = std::max(viewport_.height, box.frame.maxY() + marginBottom);
        canvas.children.push_back(std::move(box));
        placeDeferred(fixed, canvas.frame, canvas.children);
        containers_.pop_back();
        return canvas;
    }

  private:
    // The body's background colour paints the canvas when the root has
    // none; the body's own box then paints none.
    std::optional<graphics::Color> bodyBackground(const PageNode& root, const ComputedStyle& style,
                                                  LayoutBox& rootBox) {
        for (const auto& child : root.children) {
            if (child.isText || child.tag != "body") {
                continue;
            }
            auto body = ComputedStyle::resolve(child, {&root}, style, sheet_, viewport_);
            for (auto& box : rootBox.children) {
                if (box.element == pathOf(child)) {
                    box.background.reset();
                }
            }
            return body.background;
        }
        return std::nullopt;
    }

    std::vector<int> pathOf(const PageNode& node) const {
        auto path = prefix_;
        path.push_back(node.elementIndex);
        return path;
    }

    double px(const CSSLength& length, std::optional<double> reference,
              const ComputedStyle& style) const {
        return length.resolve(reference, style.fontSize, viewport_).value_or(0);
    }

    std::optional<double> pxIf(const std::optional<CSSLength>& length,
                               std::optional<double> reference, const ComputedStyle& style) const {
        if (!length) {
            return std::nullopt;
        }
        return length->resolve(reference, style.fontSize, viewport_);
    }

    // The box of a block-level element at (x, y) in a container `available`
    // wide (and `availableHeight` high when that is known).
    LayoutBox blockBox(const PageNode& node, const ComputedStyle& style, Ancestors& ancestors,
                       double x, double y, double available, std::optional<double> availableHeight,
                       bool shrink, double& marginBottom) {
        LayoutBox box;
        box.element = pathOf(node);
        box.background = style.background;
        box.borderColor = style.borderColor;
        box.opacity = style.opacity;
        box.clips = style.clips;
        box.hidden = !style.visible;
        for (int i = 0; i < 4; ++i) {
            box.border[static_cast<std::size_t>(i)] = style.border[i];
        }
        if (style.backgroundImage) {
            box.backgroundImage = images_(*style.backgroundImage, document_.url);
        }
        double margin[4];
        double padding[4];
        for (int i = 0; i < 4; ++i) {
            margin[i] = px(style.margin[i], available, style);
            padding[i] = px(style.padding[i], available, style);
        }
        const double chromeX = style.border[1] + style.border[3] + padding[1] + padding[3];
        const double chromeY = style.border[0] + style.border[2] + padding[0] + padding[2];
        auto width = pxIf(style.width, available, style);
        auto height = pxIf(style.height, availableHeight, style);
        if (node.tag == "canvas") {
            canvasSize(node, width, height);
            box.canvas = node.canvas;
        }
        double contentWidth = width ? std::max(0.0, *width)
                                    : std::max(0.0, available - margin[1] - margin[3] - chromeX);
        if (width && style.margin[1].isAuto() && style.margin[3].isAuto()) {
            margin[3] = std::max(0.0, (available - contentWidth - chromeX) / 2);
        }
        box.frame.origin = {x + margin[3], y + margin[0]};
        const double contentX = box.frame.origin.x + style.border[3] + padding[3];
        const double contentY = box.frame.origin.y + style.border[0] + padding[0];

        auto layoutContent = [&](double w) {
            box.children.clear();
            Flow flow;
            flow.x = contentX;
            flow.width = w;
            flow.y = contentY;
            flow.align = style.textAlign;
            flow.out = &box.children;
            flow.right = contentX;
            std::vector<Deferred> deferred;
            bool positioned = style.position != Position::staticPosition;
            if (positioned) {
                containers_.push_back(&deferred);
            }
            ancestors.push_back(&node);
            if (node.tag == "iframe" || node.tag == "frame") {
                frameContent(node, box, {contentX, contentY, w, height.value_or(150)});
            } else if (node.tag != "canvas") {
                inlineContent(node, style, ancestors, flow, std::nullopt);
                flushLines(flow);
            }
            ancestors.pop_back();
            if (positioned) {
                containers_.pop_back();
            }
            return std::make_pair(flow, std::move(deferred));
        };
        auto [flow, deferred] = layoutContent(contentWidth);
        if (shrink && !width) {
            double fitted = std::min(contentWidth, std::max(0.0, flow.right - contentX));
            if (fitted < contentWidth) {
                contentWidth = fitted;
                std::tie(flow, deferred) = layoutContent(contentWidth);
            }
        }
        double contentHeight = height ? std::max(0.0, *height) : flow.y - contentY;
        if (node.tag == "iframe" || node.tag == "frame") {
            contentHeight = height.value_or(150);
        }
        box.frame.size = {contentWidth + chromeX, contentHeight + chromeY};
        box.content = {contentX, contentY, contentWidth, contentHeight};
        marginBottom = margin[2];
        if (style.position != Position::staticPosition) {
            graphics::Rect padded{
                box.frame.origin.x + style.border[3], box.frame.origin.y + style.border[0],
                contentWidth + padding[1] + padding[3], contentHeight + padding[0] + padding[2]};
            placeDeferred(deferred, padded, box.children);
        }
        if (style.position == Position::relative) {
            box.offsetBy(pxIf(style.left, available, style)
                             .value_or(-pxIf(style.right, available, style).value_or(0)),
                         pxIf(style.top, availableHeight, style)
                             .value_or(-pxIf(style.bottom, availableHeight, style).value_or(0)));
        }
        return box;
    }

    void frameContent(const PageNode& node, LayoutBox& box, const graphics::Rect& rect) {
        if (!node.frame || depth_ > 4) {
            return;
        }
        ++depth_;
        Layouter inner(*node.frame, rect.size, images_, pathOf(node));
        inner.depth_ = depth_;
        auto canvas = inner.run();
        canvas.offsetBy(rect.origin.x, rect.origin.y);
        canvas.frame.size.height = rect.size.height;
        canvas.element = pathOf(node);
        canvas.clips = true;
        box.children.push_back(std::move(canvas));
        --depth_;
    }

    // Lays out absolute and fixed boxes against their containing block.
    void placeDeferred(std::vector<Deferred>& deferred, const graphics::Rect& block,
                       std::vector<LayoutBox>& out) {
        for (auto& d : deferred) {
            const auto& style = d.style;
            graphics::Rect cb = style.position == Position::fixed
                                    ? graphics::Rect{0, 0, viewport_.width, viewport_.height}
                                    : block;
            auto left = pxIf(style.left, cb.size.width, style);
            auto right = pxIf(style.right, cb.size.width, style);
            auto top = pxIf(style.top, cb.size.height, style);
            auto bottom = pxIf(style.bottom, cb.size.height, style);
            ComputedStyle sized = style;
            double available = cb.size.width - left.value_or(0) - right.value_or(0);
            if (!style.width && left && right) {
                sized.width = CSSLength{std::max(0.0, available), CSSLength::Unit::px};
            }
            if (!style.height && top && bottom) {
                sized.height =
                    CSSLength{std::max(0.0, cb.size.height - *top - *bottom), CSSLength::Unit::px};
            }
            sized.position = Position::absolute;
            double marginBottom = 0;
            auto saved = prefix_;
            prefix_ = d.prefix;
            auto box = blockBox(*d.node, sized, d.ancestors, 0, 0,
                                left || right ? available : cb.size.width, cb.size.height,
                                !sized.width, marginBottom);
            prefix_ = saved;
            double x = left    ? cb.origin.x + *left
                       : right ? cb.maxX() - *right - box.frame.size.width
                               : d.staticPosition.x;
            double y = top      ? cb.origin.y + *top
                       : bottom ? cb.maxY() - *bottom - box.frame.size.height
                                : d.staticPosition.y;
            box.offsetBy(x - box.frame.origin.x, y - box.frame.origin.y);
            out.push_back(std::move(box));
        }
    }

    void defer(const PageNode& node, const ComputedStyle& style, const Ancestors& ancestors,
               const Flow& flow) {
        double lineWidth = 0;
        for (const auto& item : flow.items) {
            lineWidth += item.width;
        }
        containers_.back()->push_back(
            {&node, style, ancestors, {flow.x + lineWidth, flow.y}, prefix_});
    }

    void inlineContent(const PageNode& node, const ComputedStyle& style, Ancestors& ancestors,
                       Flow& flow, std::optional<graphics::Color> background) {
        if (ancestors.size() > kMaxDepth) {
            return;
        }
        for (const auto& child : node.children) {
            if (child.isText) {
                addText(flow, child.text, style, background, pathOf(node));
                continue;
            }
            auto childStyle = ComputedStyle::resolve(child, ancestors, style, sheet_, viewport_);
            if (childStyle.display == Display::none) {
                continue;
            }
            if (child.tag == "br") {
                Item item;
                item.kind = Item::Kind::lineBreak;
                item.height = childStyle.lineHeight();
                flow.items.push_back(std::move(item));
                continue;
            }
            if (childStyle.position == Position::absolute ||
                childStyle.position == Position::fixed) {
                defer(child, childStyle, ancestors, flow);
                continue;
            }
            if (childStyle.display == Display::block) {
                flushLines(flow);
                double marginBottom = 0;
                auto box = blockBox(child, childStyle, ancestors, flow.x, flow.y, flow.width,
                                    std::nullopt, false, marginBottom);
                flow.y = box.frame.maxY() + marginBottom;
                flow.right = std::max(flow.right, box.frame.maxX());
                flow.out->push_back(std::move(box));
                continue;
            }
            if (childStyle.display == Display::inlineBlock) {
                addAtomic(flow, child, childStyle, ancestors);
                continue;
            }
            ancestors.push_back(&child);
            inlineContent(child, childStyle, ancestors, flow,
                          childStyle.background ? childStyle.background : background);
            ancestors.pop_back();
        }
    }

    void addAtomic(Flow& flow, const PageNode& node, const ComputedStyle& style,
                   Ancestors& ancestors) {
        Item item;
        item.kind = Item::Kind::atomic;
        if (node.tag == "img") {
            item.box = imageBox(node, style, flow.width);
        } else {
            ComputedStyle sized = style;
            if (!sized.width &&
                (node.tag == "iframe" || node.tag == "frame" || node.tag == "video")) {
                sized.width = CSSLength{300, CSSLength::Unit::px};
            }
            if (!sized.height &&
                (node.tag == "iframe" || node.tag == "frame" || node.tag == "video")) {
                sized.height = CSSLength{150, CSSLength::Unit::px};
            }
            double marginBottom = 0;
            item.box = blockBox(node, sized, ancestors, 0, 0, flow.width, std::nullopt, true,
                                marginBottom);
            item.box.frame.size.height += marginBottom;
        }
        item.width = item.box.frame.maxX();
        item.height = item.box.frame.maxY();
        flow.items.push_back(std::move(item));
    }

    LayoutBox imageBox(const PageNode& node, const ComputedStyle& style, double available) {
        LayoutBox box;
        box.element = pathOf(node);
        box.background = style.background;
        box.opacity = style.opacity;
        box.hidden = !style.visible;
        std::string src = node.attribute("src");
        if (!src.empty()) {
            box.image = images_(src, document_.url);
        }
        graphics::Size natural = box.image ? box.image->size() : graphics::Size{0, 0};
        auto width = pxIf(style.width, available, style);
        auto height = pxIf(style.height, std::nullopt, style);
        if (width && !height && natural.width > 0) {
            height = *width * natural.height / natural.width;
        } else if (height && !width && natural.height > 0) {
            width = *height * natural.width / natural.height;
        }
        double margin[4];
        for (int i = 0; i < 4; ++i) {
            margin[i] = px(style.margin[i], available, style);
            box.border[static_cast<std::size_t>(i)] = style.border[i];
        }
        box.borderColor = style.borderColor;
        double w = std::max(0.0, width.value_or(natural.width));
        double h = std::max(0.0, height.value_or(natural.height));
        box.frame = {margin[3], margin[0], w + style.border[1] + style.border[3],
                     h + style.border[0] + style.border[2]};
        box.content = {margin[3] + style.border[3], margin[0] + style.border[0], w, h};
        return box;
    }

    void addText(Flow& flow, const std::string& text, const ComputedStyle& style,
                 std::optional<graphics::Color> background, const std::vector<int>& element) {
        auto font = fontOf(style);
        auto points = ui::Font::codePointsOf(text);
        Item word;
        word.font = font;
        word.color = style.color;
        word.background = background;
        word.hidden = !style.visible;
        word.element = element;
        word.height = style.lineHeight();
        bool pendingSpace = false;
        std::vector<char32_t> current;
        auto emit = [&]() {
            if (current.empty()) {
                return;
            }
            Item item = word;
            item.text = ui::Font::textOf(current);
            item.spaceBefore = pendingSpace;
            item.width = font.measure(item.text).width;
            flow.items.push_back(std::move(item));
            current.clear();
            pendingSpace = false;
        };
        for (char32_t c : points) {
            if (style.preservesWhiteSpace && c == U'\n') {
                emit();
                Item br;
                br.kind = Item::Kind::lineBreak;
                br.height = style.lineHeight();
                flow.items.push_back(std::move(br));
                continue;
            }
            if (isSpace(c) && !style.preservesWhiteSpace) {
                emit();
                pendingSpace = true;
                continue;
            }
            if (isWide(c)) {
                emit();
                current.push_back(c);
                emit();
                continue;
            }
            current.push_back(c);
        }
        emit();
        if (pendingSpace) {
            Item space = word;
            space.spaceBefore = true;
            flow.items.push_back(std::move(space));
        }
    }

    // Breaks the waiting inline items into lines and places them.
    void flushLines(Flow& flow) {
        if (flow.items.empty()) {
            return;
        }
        std::vector<std::vector<Item*>> lines(1);
        std::vector<double> breakHeights(1, 0);
        double lineWidth = 0;
        for (auto& item : flow.items) {
            if (item.kind == Item::Kind::lineBreak) {
                breakHeights.back() = item.height;
                lines.emplace_back();
                breakHeights.push_back(0);
                lineWidth = 0;
                continue;
            }
            double space = item.spaceBefore && !lines.back().empty() ? spaceWidth(item) : 0;
            if (lineWidth + space + item.width > flow.width + 0.01 && !lines.back().empty()) {
                lines.emplace_back();
                breakHeights.push_back(0);
                lineWidth = 0;
                space = 0;
            }
            if (lines.back().empty() && item.kind == Item::Kind::word && item.text.empty()) {
                continue;
            }
            lines.back().push_back(&item);
            lineWidth += space + item.width;
        }
        for (std::size_t l = 0; l < lines.size(); ++l) {
            placeLine(flow, lines[l], breakHeights[l]);
        }
        flow.items.clear();
    }

    static double spaceWidth(const Item& item) {
        return item.kind == Item::Kind::word ? item.font.measure(" ").width : 4;
    }

    void placeLine(Flow& flow, const std::vector<Item*>& line, double minimumHeight) {
        double height = minimumHeight;
        double width = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            height = std::max(height, line[i]->height);
            width += (i > 0 && line[i]->spaceBefore ? spaceWidth(*line[i]) : 0) + line[i]->width;
        }
        if (line.empty() && minimumHeight <= 0) {
            return;
        }
        double x = flow.x;
        if (flow.align == TextAlign::center) {
            x += std::max(0.0, (flow.width - width) / 2);
        } else if (flow.align == TextAlign::right) {
            x += std::max(0.0, flow.width - width);
        }
        LayoutBox* run = nullptr;
        for (std::size_t i = 0; i < line.size(); ++i) {
            Item& item = *line[i];
            double space = i > 0 && item.spaceBefore ? spaceWidth(item) : 0;
            if (item.kind == Item::Kind::atomic) {
                run = nullptr;
                x += space;
                item.box.offsetBy(x, flow.y + height - item.height);
                flow.out->push_back(std::move(item.box));
                x += item.width;
                continue;
            }
            // Words in the same style on a line make one run of text.
            if (run && run->font == item.font && run->color == item.color &&
                run->background == item.background && run->element == item.element &&
                run->hidden == item.hidden) {
                run->text += (space > 0 ? " " : "") + item.text;
                run->frame.size.width += space + item.width;
                run->content = run->frame;
                x += space + item.width;
                continue;
            }
            x += space;
            LayoutBox box;
            box.text = item.text;
            box.font = item.font;
            box.color = item.color;
            box.background = item.background;
            box.hidden = item.hidden;
            box.element = item.element;
            box.frame = {x, flow.y + height - item.height, item.width, item.height};
            box.content = box.frame;
            flow.out->push_back(std::move(box));
            run = &flow.out->back();
            x += item.width;
        }
        flow.right = std::max(flow.right, x);
        flow.y += height;
    }

    const PageDocument& document_;
    graphics::Size viewport_;
    const PageLayout::ImageLoader& images_;
    std::vector<int> prefix_;
    StyleSheet sheet_;
    // Where absolute boxes wait for their containing block, innermost last.
    std::vector<std::vector<Deferred>*> containers_;
    int depth_ = 0;
};

}  // namespace

LayoutBox PageLayout::layout(const PageDocument& document, graphics::Size viewport,
                             const ImageLoader& images) {
    return Layouter(document, viewport, images, {}).run();
}

}  // namespace web

#include "platform/ui/TextPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/TextMeasurement.h"

namespace ui {

namespace {

constexpr const char* kEllipsis = "\xE2\x80\xA6";

double widthOf(const std::string& text, const graphics::Font& font) {
    return font.measure(text).width;
}

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Breaks one paragraph at `width`: after the last space that fits, else
// between characters.
void wrap(const std::vector<char32_t>& paragraph, const graphics::Font& font, double width,
          bool words, std::vector<std::string>& out) {
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        std::size_t lastBreak = std::string::npos;
        while (end < paragraph.size()) {
            std::vector<char32_t> candidate(paragraph.begin() + static_cast<long>(start),
                                            paragraph.begin() + static_cast<long>(end) + 1);
            if (end > start && !isSpace(paragraph[end]) &&
                widthOf(Font::textOf(candidate), font) > width) {
                break;
            }
            if (isSpace(paragraph[end])) {
                lastBreak = end;
            }
            ++end;
        }
        if (end >= paragraph.size()) {
            out.push_back(
                Font::textOf({paragraph.begin() + static_cast<long>(start), paragraph.end()}));
            return;
        }
        std::size_t cut = words && lastBreak != std::string::npos ? lastBreak : end;
        out.push_back(Font::textOf({paragraph.begin() + static_cast<long>(start),
                                    paragraph.begin() + static_cast<long>(cut)}));
        start = cut;
        while (start < paragraph.size() && isSpace(paragraph[start])) {
            ++start;
        }
        if (start >= paragraph.size()) {
            return;
        }
    }
}

}  // namespace

graphics::Font TextPainter::drawingFont(const Font& font) {
    return graphics::Font{"DejaVu Sans", font.pointSize(), font.isBold()};
}

std::string TextPainter::truncate(const std::string& line, const graphics::Font& font, double width,
                                  LineBreakMode mode) {
    if (mode != LineBreakMode::truncateHead && mode != LineBreakMode::truncateMiddle &&
        mode != LineBreakMode::truncateTail) {
        return line;
    }
    if (widthOf(line, font) <= width) {
        return line;
    }
    auto points = Font::codePointsOf(line);
    // Keeps `keep` characters around the ellipsis, as many as fit.
    auto shortened = [&](std::size_t keep) {
        std::vector<char32_t> head;
        std::vector<char32_t> tail;
        if (mode == LineBreakMode::truncateTail) {
            head.assign(points.begin(), points.begin() + static_cast<long>(keep));
        } else if (mode == LineBreakMode::truncateHead) {
            tail.assign(points.end() - static_cast<long>(keep), points.end());
        } else {
            std::size_t front = (keep + 1) / 2;
            head.assign(points.begin(), points.begin() + static_cast<long>(front));
            tail.assign(points.end() - static_cast<long>(keep - front), points.end());
        }
        return Font::textOf(head) + kEllipsis + Font::textOf(tail);
    };
    std::size_t low = 0;
    std::size_t high = points.size();
    while (low < high) {
        std::size_t mid = (low + high + 1) / 2;
        if (widthOf(shortened(mid), font) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return shortened(low);
}

std::vector<std::string> TextPainter::lines(const std::string& text, const TextStyle& style,
                                            double width, double height) {
    auto font = drawingFont(style.font);
    const bool singleLine = style.maxLines == 1;
    const bool wraps = !singleLine && width > 0;
    std::vector<std::string> all;
    for (const auto& paragraph : TextMeasurement::paragraphs(text)) {
        if (wraps) {
            wrap(paragraph, font, width, style.lineBreakMode != LineBreakMode::charWrap, all);
        } else {
            all.push_back(Font::textOf(paragraph));
        }
    }
    if (singleLine && all.size() > 1) {
        std::string joined;
        for (const auto& line : all) {
            joined += (joined.empty() ? "" : " ") + line;
        }
        all = {joined};
    }
    std::size_t limit = style.maxLines > 0 ? static_cast<std::size_t>(style.maxLines) : all.size();
    const double lineHeight = style.font.lineHeight();
    if (height > 0 && lineHeight > 0) {
        limit = std::min(limit,
                         std::max<std::size_t>(
                             1, static_cast<std::size_t>(std::floor(height / lineHeight + 0.01))));
    }
    if (all.size() > limit) {
        all.resize(limit);
        auto mode = style.lineBreakMode;
        if (mode == LineBreakMode::truncateHead || mode == LineBreakMode::truncateMiddle) {
            mode = LineBreakMode::truncateTail;
        }
        if (mode == LineBreakMode::truncateTail) {
            all.back() = truncate(all.back() + kEllipsis, font, width > 0 ? width : 1e9, mode);
        }
    } else if (width > 0) {
        for (auto& line : all) {
            line =
                truncate(line, font, width, singleLine ? style.lineBreakMode : LineBreakMode::clip);
        }
    }
    return all;
}

void TextPainter::draw(graphics::BitmapContext& context, const std::string& text,
                       const graphics::Rect& rect, const TextStyle& style) {
    if (text.empty() || rect.size.width <= 0) {
        return;
    }
    auto font = drawingFont(style.font);
    auto shown = lines(text, style, rect.size.width, rect.size.height);
    const double lineHeight = style.font.lineHeight();
    double y = rect.origin.y;
    if (style.centerVertically) {
        y += (rect.size.height - lineHeight * static_cast<double>(shown.size())) / 2;
    }
    context.setFillColor(style.color);
    for (const auto& line : shown) {
        double width = widthOf(line, font);
        double x = rect.origin.x;
        if (style.alignment == TextAlignment::center) {
            x += (rect.size.width - width) / 2;
        } else if (style.alignment == TextAlignment::right) {
            x += rect.size.width - width;
        }
        context.drawText(line, {x, y + (lineHeight - font.measure("").height) / 2}, font);
        y += lineHeight;
    }
}

}  // namespace ui

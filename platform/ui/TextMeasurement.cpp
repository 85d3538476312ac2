#include "platform/ui/TextMeasurement.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

using CodePoints = std::vector<char32_t>;

double widthOf(const CodePoints& line, const Font& font) {
    double width = 0;
    for (char32_t c : line) {
        width += font.advanceOf(c);
    }
    return width;
}

// Breaks one paragraph into lines no wider than `width`: at spaces when the
// mode wraps words and a word fits, else between characters.
void wrapParagraph(const CodePoints& paragraph, const Font& font, double width, bool words,
                   std::vector<CodePoints>& out) {
    if (width <= 0 || paragraph.empty()) {
        out.push_back(paragraph);
        return;
    }
    CodePoints line;
    double lineWidth = 0;
    std::size_t lastSpace = std::string::npos;
    for (char32_t c : paragraph) {
        double advance = font.advanceOf(c);
        if (lineWidth + advance > width + 1e-9 && !line.empty() && c != U' ') {
            if (words && lastSpace != std::string::npos) {
                CodePoints rest(line.begin() + static_cast<long>(lastSpace) + 1, line.end());
                line.resize(lastSpace);
                out.push_back(line);
                line = rest;
            } else {
                out.push_back(line);
                line.clear();
            }
            lastSpace = std::string::npos;
            lineWidth = widthOf(line, font);
        }
        if (c == U' ') {
            lastSpace = line.size();
        }
        line.push_back(c);
        lineWidth += advance;
    }
    out.push_back(line);
}

// Trailing spaces take no room at the end of a wrapped line.
double visibleWidth(CodePoints line, const Font& font) {
    while (!line.empty() && line.back() == U' ') {
        line.pop_back();
    }
    return widthOf(line, font);
}

}  // namespace

std::vector<std::vector<char32_t>> TextMeasurement::paragraphs(std::string_view text) {
    std::vector<CodePoints> out(1);
    for (char32_t c : Font::codePointsOf(text)) {
        if (c == U'\n' || c == U'\r' || c == 0x2028 || c == 0x2029) {
            out.emplace_back();
        } else {
            out.back().push_back(c);
        }
    }
    return out;
}

graphics::Size TextMeasurement::sizeWithFont(std::string_view text, const Font& font) {
    if (text.empty()) {
        return {0, 0};
    }
    double width = 0;
    for (const auto& paragraph : paragraphs(text)) {
        width += widthOf(paragraph, font);
    }
    return {std::ceil(width), std::ceil(font.lineHeight())};
}

std::vector<std::string> TextMeasurement::wrapLines(std::string_view text, const Font& font,
                                                    double width, LineBreakMode mode) {
    std::vector<CodePoints> lines;
    bool words = mode != LineBreakMode::charWrap;
    bool wraps = mode == LineBreakMode::wordWrap || mode == LineBreakMode::charWrap;
    for (const auto& paragraph : paragraphs(text)) {
        wrapParagraph(paragraph, font, wraps ? width : 0, words, lines);
    }
    std::vector<std::string> out;
    for (const auto& line : lines) {
        out.push_back(Font::textOf(line));
    }
    return out;
}

graphics::Size TextMeasurement::boundingSize(std::string_view text, const Font& font,
                                             graphics::Size constraint, LineBreakMode mode,
                                             int maxLines) {
    if (text.empty()) {
        return {0, 0};
    }
    auto lines = wrapLines(text, font, constraint.width, mode);
    if (maxLines > 0 && static_cast<int>(lines.size()) > maxLines) {
        lines.resize(static_cast<std::size_t>(maxLines));
    }
    if (constraint.height > 0) {
        auto fitting = static_cast<std::size_t>(
            std::max(1.0, std::floor(constraint.height / font.lineHeight())));
        lines.resize(std::min(lines.size(), fitting));
    }
    double width = 0;
    for (const auto& line : lines) {
        width = std::max(width, visibleWidth(Font::codePointsOf(line), font));
    }
    if (constraint.width > 0) {
        width = std::min(width, constraint.width);
    }
    return {std::ceil(width), std::ceil(font.lineHeight() * static_cast<double>(lines.size()))};
}

}  // namespace ui

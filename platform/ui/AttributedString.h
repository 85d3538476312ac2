#pragma once

// Text in runs, each with its own font, colour and alignment where set: what
// labels and text views show when given attributed text.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/LineBreakMode.h"

namespace ui {

struct TextAttributes {
    std::optional<Font> font;
    std::optional<graphics::Color> foregroundColor;
    std::optional<TextAlignment> alignment;

    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

struct AttributedString {
    struct Run {
        std::string text;
        TextAttributes attributes;

        friend bool operator==(const Run&, const Run&) = default;
    };

    std::vector<Run> runs;

    AttributedString() = default;
    explicit AttributedString(std::string text, TextAttributes attributes = {}) {
        append(std::move(text), std::move(attributes));
    }

    void append(std::string text, TextAttributes attributes = {}) {
        runs.push_back(Run{std::move(text), std::move(attributes)});
    }
    // The plain text of all runs.
    std::string string() const {
        std::string out;
        for (const auto& run : runs) {
            out += run.text;
        }
        return out;
    }
    bool empty() const { return string().empty(); }

    friend bool operator==(const AttributedString&, const AttributedString&) = default;
};

}  // namespace ui

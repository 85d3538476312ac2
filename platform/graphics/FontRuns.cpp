#include "platform/graphics/FontRuns.h"

#include <cairo.h>

#include <map>
#include <tuple>

#include "platform/foundation/ThreadLocal.h"

namespace graphics {

namespace {

int sequenceLength(unsigned char c) {
    return c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
}

char32_t decode(const std::string& s, std::size_t i, int length) {
    auto c = static_cast<unsigned char>(s[i]);
    if (length == 1) {
        return c;
    }
    char32_t value = c & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        value = value << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    return value;
}

// Per thread: a small cairo context to ask fonts for glyphs, and the answers.
struct GlyphProbe {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    std::map<std::tuple<std::string, bool, char32_t>, bool> answers;
    GlyphProbe() = default;
    GlyphProbe(const GlyphProbe&) = delete;
    GlyphProbe& operator=(const GlyphProbe&) = delete;
    ~GlyphProbe() {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

GlyphProbe& glyphProbe() {
    static foundation::ThreadLocal<GlyphProbe> probe;
    return probe.get();
}

}  // namespace

std::string FontRuns::sanitized(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int length = sequenceLength(c);
        bool ok = length > 0 && i + length <= text.size() && (length == 1 || c >= 0xC2) && c != 0;
        for (int k = 1; ok && k < length; ++k) {
            ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (ok) {
            out.append(text, i, length);
            i += length;
        } else {
            out.push_back('?');
            ++i;
        }
    }
    return out;
}

bool FontRuns::hasGlyph(const Font& font, char32_t c) {
    GlyphProbe& probe = glyphProbe();
    auto& cache = probe.answers;
    auto key = std::make_tuple(font.family, font.bold, c);
    if (auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }
    cairo_t* cr = probe.cr;
    cairo_select_font_face(cr, font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    char utf8[5] = {};
    if (c < 0x80) {
        utf8[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        utf8[0] = static_cast<char>(0xC0 | c >> 6);
        utf8[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        utf8[0] = static_cast<char>(0xE0 | c >> 12);
        utf8[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        utf8[2] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8[0] = static_cast<char>(0xF0 | c >> 18);
        utf8[1] = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        utf8[2] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        utf8[3] = static_cast<char>(0x80 | (c & 0x3F));
    }
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    bool has = false;
    if (cairo_scaled_font_text_to_glyphs(cairo_get_scaled_font(cr), 0, 0, utf8, -1, &glyphs, &count,
                                         nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS) {
        has = count > 0 && glyphs[0].index != 0;
    }
    cairo_glyph_free(glyphs);
    cache.emplace(key, has);
    return has;
}

Size FontRuns::measure(const std::string& text, const Font& font) {
    if (!(font.pointSize > 0)) {
        return {};
    }
    cairo_t* cr = glyphProbe().cr;
    cairo_select_font_face(cr, font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.pointSize);
    cairo_font_extents_t line;
    cairo_font_extents(cr, &line);
    double width = 0;
    if (sanitized(text) != text) {
        return {width, line.ascent + line.descent};
    }
    for (const auto& run : split(text, font)) {
        cairo_select_font_face(cr, run.font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                               run.font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, run.font.pointSize);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, run.text.c_str(), &extents);
        width += extents.x_advance;
    }
    return {width, line.ascent + line.descent};
}

std::vector<FontRun> FontRuns::split(const std::string& text, const Font& font) {
    const std::string clean = sanitized(text);
    Font fallback = font;
    fallback.family = kFallbackFamily;
    std::vector<FontRun> runs;
    std::size_t i = 0;
    while (i < clean.size()) {
        const int length = sequenceLength(static_cast<unsigned char>(clean[i]));
        const char32_t c = decode(clean, i, length);
        const bool useFallback = c >= 0x80 && !hasGlyph(font, c) &&
                                 font.family != fallback.family && hasGlyph(fallback, c);
        const Font& chosen = useFallback ? fallback : font;
        if (runs.empty() || !(runs.back().font == chosen)) {
            runs.push_back({{}, chosen});
        }
        runs.back().text.append(clean, i, static_cast<std::size_t>(length));
        i += static_cast<std::size_t>(length);
    }
    return runs;
}

}  // namespace graphics

#include "platform/graphics/Font.h"

#include <cairo.h>

namespace graphics {

namespace {

// One small cairo context per thread, used only to ask for text extents.
cairo_t* measuringContext() {
    struct Holder {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cairo_t* cr = cairo_create(surface);
        ~Holder() {
            cairo_destroy(cr);
            cairo_surface_destroy(surface);
        }
    };
    thread_local Holder holder;
    return holder.cr;
}

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80           ? 1
                      : (c >> 5) == 0x6  ? 2
                      : (c >> 4) == 0xE  ? 3
                      : (c >> 3) == 0x1E ? 4
                                         : 0;
        if (n == 0 || i + n > s.size() || c == 0) {
            return false;
        }
        for (int k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

}  // namespace

Size Font::measure(const std::string& text) const {
    if (!(pointSize > 0)) {
        return {};
    }
    cairo_t* cr = measuringContext();
    cairo_select_font_face(cr, family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, pointSize);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double width = 0;
    if (!text.empty() && validUtf8(text)) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text.c_str(), &extents);
        width = extents.x_advance;
    }
    return {width, font.ascent + font.descent};
}

}  // namespace graphics

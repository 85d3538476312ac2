#include "platform/graphics/Font.h"

#include "platform/graphics/FontRuns.h"

namespace graphics {

Size Font::measure(const std::string& text) const {
    return FontRuns::measure(text, *this);
}

}  // namespace graphics

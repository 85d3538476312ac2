#pragma once

// Reads the CSS values the painter understands: colours (names, "#rgb",
// "#rrggbb" with or without alpha, "rgb()", "rgba()", "transparent") and
// lengths ("px", "pt", "em", "rem", "%", "vw", "vh", bare numbers, "auto").

#include <optional>
#include <string>
#include <string_view>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"

namespace web {

struct CSSLength {
    enum class Unit { px, em, rem, percent, vw, vh, automatic };
    double value = 0;
    Unit unit = Unit::px;

    bool isAuto() const { return unit == Unit::automatic; }
    // In pixels: `reference` for percentages, `fontSize` for em, the viewport
    // for vw and vh; nullopt for auto, and for a percentage without reference.
    std::optional<double> resolve(std::optional<double> reference, double fontSize,
                                  graphics::Size viewport) const;
};

class CSSValues {
  public:
    static std::optional<graphics::Color> color(std::string_view text);
    static std::optional<CSSLength> length(std::string_view text);
    // The URL inside "url(...)", unquoted; nullopt without one.
    static std::optional<std::string> url(std::string_view text);
    static std::string trim(std::string_view text);
    static std::string lowercase(std::string_view text);
};

}  // namespace web

#pragma once

// The look of a progress HUD and of the indicators made for it.

enum class JGProgressHUDStyle : unsigned {
    extraLight = 0,
    light = 1,
    dark = 2,
};

// Floating values closer than this count as unchanged (the single-precision
// epsilon): setters then skip their relayout or redraw.
inline constexpr double kJGProgressHUDEpsilon = 1.1920929e-7;

#pragma once

// How text that does not fit is wrapped or cut, numbered as the platform does.

namespace ui {

enum class LineBreakMode {
    wordWrap = 0,
    charWrap = 1,
    clip = 2,
    truncateHead = 3,
    truncateTail = 4,
    truncateMiddle = 5,
};

enum class TextAlignment { left = 0, center = 1, right = 2, justified = 3, natural = 4 };

}  // namespace ui

#pragma once

// An element's inline style and rendered text for its page's scripts:
// element.style, a declaration reflected to and from the style attribute
// (cssText, setProperty, getPropertyValue, removeProperty and the
// properties by their script names; assigning a string to element.style
// sets the attribute), and innerText, the text with line breaks where blocks
// and <br> break it.

#include <string_view>

namespace web {

class StyleBindings {
  public:
    // The script that installs them, run after the DOM prelude.
    static std::string_view script();
};

}  // namespace web

#pragma once

// What a page's scripts read of its layout, in its own script context:
// element geometry (getBoundingClientRect, client, offset and scroll sizes),
// getComputedStyle, elementFromPoint, the window's size following its view
// (with "resize" events) and the page's scroll position (with "scroll"
// events). The page is laid out by the painter's layout when a script first
// reads it after the DOM, a style or the window changed.

namespace web {

class ScriptEngine;
class WebView;

class LayoutBindings {
  public:
    // Installs the bindings in `engine`, the context of a document of
    // `view`, after the DOM prelude ran in it.
    static void install(ScriptEngine& engine, WebView& view);
};

}  // namespace web

#pragma once

// A screen as text, for the host and for tests: the top controller's title,
// then every visible view that has something to say (bars and their items,
// labels, buttons, fields, table rows), indented by depth, then the alerts,
// sheets and popovers on top.

#include <string>

namespace ui {

class View;
class Window;

class Outline {
  public:
    static std::string describe(const Window& window);
    // One view and its subtree, without the screen header and alerts.
    static std::string describeView(const View& view);
};

}  // namespace ui

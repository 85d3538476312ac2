#pragma once

// Registers the web-view classes by their platform names ("WKWebView",
// "UIWebView") in the class registry, so code can ask whether each exists.

namespace web {

void registerWebClasses();

}  // namespace web

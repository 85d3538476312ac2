#include "platform/web/WebClasses.h"

#include "platform/foundation/ClassRegistry.h"

namespace web {

void registerWebClasses() {
    auto& registry = foundation::ClassRegistry::shared();
    registry.registerName({"UIWebView", "UIView", {}});
    registry.registerName({"WKWebView", "UIView", {}});
}

}  // namespace web

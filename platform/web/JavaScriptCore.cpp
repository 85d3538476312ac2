#include "platform/web/JavaScriptCore.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace web {

const JavaScriptCore* JavaScriptCore::functions() {
    static const std::optional<JavaScriptCore> loaded =
        foundation::SharedLibrary::loadTable<JavaScriptCore>(
            WEB_JAVASCRIPTCORE_LIBRARY, "web", [](auto find, JavaScriptCore& table) {
                WEB_JAVASCRIPTCORE_FUNCTIONS(FOUNDATION_FIND_FUNCTION)
            });
    return loaded ? &*loaded : nullptr;
}

}  // namespace web

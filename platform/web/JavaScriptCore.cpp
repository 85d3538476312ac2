#include "platform/web/JavaScriptCore.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace web {

namespace {

std::optional<JavaScriptCore> load() {
    foundation::SharedLibrary library;
    if (!library.open(WEB_JAVASCRIPTCORE_LIBRARY, "web")) {
        return std::nullopt;
    }
    JavaScriptCore core;
    bool complete = true;
#define WEB_JAVASCRIPTCORE_LOOKUP(name) complete = library.find(#name, core.name) && complete;
    WEB_JAVASCRIPTCORE_FUNCTIONS(WEB_JAVASCRIPTCORE_LOOKUP)
#undef WEB_JAVASCRIPTCORE_LOOKUP
    if (!complete) {
        return std::nullopt;
    }
    return core;
}

}  // namespace

const JavaScriptCore* JavaScriptCore::functions() {
    static const std::optional<JavaScriptCore> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace web

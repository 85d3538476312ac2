#include "platform/web/ScriptStringLiteral.h"

#include <nlohmann/json.hpp>

namespace web {

std::string scriptStringLiteral(std::string_view text) {
    return nlohmann::json(std::string(text))
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace web

#pragma once

// Text written into a script as a JavaScript string literal: quoted and escaped
// as a JSON string, invalid UTF-8 replaced, so that no text can break out of it.

#include <string>
#include <string_view>

namespace web {

std::string scriptStringLiteral(std::string_view text);

}  // namespace web

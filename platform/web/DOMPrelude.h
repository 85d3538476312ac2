#pragma once

// The page environment every document runs in: the DOM (nodes, elements,
// documents, events), window, location, timers, console and storage,
// written in JavaScript over the native hooks a web view defines.

#include <string_view>

namespace web {

std::string_view domPrelude();

}  // namespace web

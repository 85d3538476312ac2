#pragma once

// The canvas elements of a document: `getContext('2d')`, the context's
// methods and state, gradients and image data, written in JavaScript over the
// native hook `__nativeCanvas` (see CanvasBindings). Runs after the DOM
// prelude, whose elements it extends.

#include <string_view>

namespace web {

std::string_view canvasPrelude();

}  // namespace web

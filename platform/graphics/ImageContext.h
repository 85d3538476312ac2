#pragma once

// The per-thread stack of current drawing contexts: image contexts begun and
// ended by image code, and contexts pushed while a view or layer draws itself.

#include <memory>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Geometry.h"

namespace graphics {

class Image;

// Starts an image context of `size` points (scale 0 means the screen's scale,
// which is 1 here) and makes it current. Returns false for an empty size.
bool beginImageContext(Size size, bool opaque = false, double scale = 1);
// The current context's image, or nullptr when there is no current context.
std::shared_ptr<Image> imageFromCurrentImageContext();
// Ends the innermost context begun with beginImageContext.
void endImageContext();

// Makes a context owned elsewhere current until popContext.
void pushContext(BitmapContext* context);
void popContext();
// The current context, or nullptr.
BitmapContext* currentContext();

}  // namespace graphics

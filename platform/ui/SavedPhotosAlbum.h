#pragma once

// The saved-photos album: pictures an application writes there are kept, in
// order, for the host and tests to look at. Thread-safe.

#include <vector>

#include "platform/graphics/Image.h"

namespace ui {

class SavedPhotosAlbum {
  public:
    // UIImageWriteToSavedPhotosAlbum without a completion; nothing for nullptr.
    static void writeImage(const graphics::Image::Ptr& image);
    static std::vector<graphics::Image::Ptr> images();
};

}  // namespace ui

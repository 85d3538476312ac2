#pragma once

// A picture of a view as it shows now, such as the image an expanding ad
// leaves in its banner's place.

#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

namespace GADRenderAdditions {

// The view's layer drawn at scale 1 over its bounds; nullptr for a view
// without area.
graphics::Image::Ptr gad_render(const ui::View& view);

}  // namespace GADRenderAdditions

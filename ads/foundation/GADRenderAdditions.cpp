#include "ads/foundation/GADRenderAdditions.h"

#include "platform/ui/ScreenRenderer.h"

namespace GADRenderAdditions {

graphics::Image::Ptr gad_render(const ui::View& view) {
    return ui::ScreenRenderer::render(view, 1);
}

}  // namespace GADRenderAdditions

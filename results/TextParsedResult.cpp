#include "results/TextParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"

std::string TextParsedResult::typeName() const {
    return foundation::localizedString("TextParsedResult type name");
}

std::shared_ptr<graphics::Image> TextParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_texte.png");
}

#include "remote/WebImage/UIImageForceDecode.h"

#include <memory>

#include "platform/graphics/Bitmap.h"

namespace UIImageForceDecode {

namespace {

bool hasAlpha(graphics::AlphaInfo info) {
    using graphics::AlphaInfo;
    return info == AlphaInfo::premultipliedLast || info == AlphaInfo::premultipliedFirst ||
           info == AlphaInfo::last || info == AlphaInfo::first;
}

}  // namespace

graphics::Image::Ptr decodedImageWithImage(const graphics::Image::Ptr& image) {
    if (!image || !image->images().empty() || !image->bitmap()) {
        return image;
    }
    const auto& source = *image->bitmap();
    if (hasAlpha(source.alphaInfo())) {
        return image;
    }
    // Our bitmaps hold decoded pixels already: the copy is the redraw into a
    // device RGB bitmap with premultiplied-first alpha.
    auto decoded = std::make_shared<graphics::Bitmap>(source);
    decoded->setColorSpaceModel(graphics::ColorSpaceModel::rgb);
    decoded->setAlphaInfo(graphics::AlphaInfo::premultipliedFirst);
    return graphics::Image::make(std::move(decoded), image->scale(), image->imageOrientation());
}

}  // namespace UIImageForceDecode

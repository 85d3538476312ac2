#include "platform/graphics/Image.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/ImageContext.h"
#include "platform/graphics/ImageSource.h"

namespace graphics {

namespace {

bool swapsSides(ImageOrientation o) {
    return o == ImageOrientation::left || o == ImageOrientation::right ||
           o == ImageOrientation::leftMirrored || o == ImageOrientation::rightMirrored;
}

}  // namespace

Image::Image(std::shared_ptr<const Bitmap> bitmap, double scale, ImageOrientation orientation)
    : bitmap_(std::move(bitmap)), scale_(scale > 0 ? scale : 1), orientation_(orientation) {}

Image::Ptr Image::make(std::shared_ptr<const Bitmap> bitmap, double scale,
                       ImageOrientation orientation) {
    if (!bitmap) {
        return nullptr;
    }
    return std::make_shared<Image>(std::move(bitmap), scale, orientation);
}

Image::Ptr Image::imageWithData(const foundation::Data& data, double scale) {
    ImageSource source(data);
    auto bitmap = source.imageAtIndex(0);
    if (!bitmap) {
        return nullptr;
    }
    const auto properties = source.propertiesAtIndex(0);
    const ImageOrientation orientation = properties && properties->orientation
                                             ? orientationFromExif(*properties->orientation)
                                             : ImageOrientation::up;
    return make(std::move(bitmap), scale, orientation);
}

Image::Ptr Image::imageWithContentsOfFile(const std::string& path) {
    const auto data = foundation::FileManager::defaultManager().contentsAtPath(path);
    return data ? imageWithData(*data) : nullptr;
}

Image::Ptr Image::imageNamed(const std::string& name, double preferredScale) {
    const foundation::Bundle& bundle = foundation::Bundle::main();
    if (name.find('.') != std::string::npos) {
        const auto path = bundle.pathForResource(name);
        if (!path) {
            return nullptr;
        }
        auto image = imageWithContentsOfFile(*path);
        const bool doubleScale = name.find("@2x.") != std::string::npos;
        return image && doubleScale ? make(image->bitmap(), 2, image->imageOrientation()) : image;
    }
    if (preferredScale > 1) {
        if (const auto path = bundle.pathForResource(name + "@2x", "png")) {
            if (auto image = imageWithContentsOfFile(*path)) {
                return make(image->bitmap(), 2, image->imageOrientation());
            }
        }
    }
    const auto path = bundle.pathForResource(name, "png");
    return path ? imageWithContentsOfFile(*path) : nullptr;
}

Image::Ptr Image::animatedImage(std::vector<Ptr> images, double duration) {
    if (images.empty() || !images.front()) {
        return nullptr;
    }
    auto image = std::make_shared<Image>(images.front()->bitmap_, images.front()->scale_,
                                         images.front()->orientation_);
    image->images_ = std::move(images);
    image->duration_ = duration;
    return image;
}

Size Image::size() const {
    if (!bitmap_) {
        return {};
    }
    const double w = bitmap_->width() / scale_;
    const double h = bitmap_->height() / scale_;
    return swapsSides(orientation_) ? Size{h, w} : Size{w, h};
}

std::shared_ptr<Bitmap> Image::uprightBitmap() const {
    if (!bitmap_) {
        return nullptr;
    }
    const Bitmap& in = *bitmap_;
    const int w = in.width();
    const int h = in.height();
    const bool swap = swapsSides(orientation_);
    auto out = std::make_shared<Bitmap>(swap ? h : w, swap ? w : h);
    out->setColorSpaceModel(in.colorSpaceModel());
    out->setAlphaInfo(in.alphaInfo());
    for (int y = 0; y < out->height(); ++y) {
        for (int x = 0; x < out->width(); ++x) {
            int sx = x, sy = y;
            switch (orientation_) {
                case ImageOrientation::up:
                    break;
                case ImageOrientation::down:
                    sx = w - 1 - x, sy = h - 1 - y;
                    break;
                case ImageOrientation::left:
                    sx = w - 1 - y, sy = x;
                    break;
                case ImageOrientation::right:
                    sx = y, sy = h - 1 - x;
                    break;
                case ImageOrientation::upMirrored:
                    sx = w - 1 - x;
                    break;
                case ImageOrientation::downMirrored:
                    sy = h - 1 - y;
                    break;
                case ImageOrientation::leftMirrored:
                    sx = y, sy = x;
                    break;
                case ImageOrientation::rightMirrored:
                    sx = w - 1 - y, sy = h - 1 - x;
                    break;
            }
            out->setPixel(x, y, in.pixel(sx, sy));
        }
    }
    return out;
}

Image::Ptr Image::imageWithRenderingMode(RenderingMode mode) const {
    auto image = std::make_shared<Image>(*this);
    image->renderingMode_ = mode;
    return image;
}

void Image::drawInRect(BitmapContext& context, const Rect& rect, double alpha) const {
    if (!bitmap_ || rect.isEmpty()) {
        return;
    }
    std::shared_ptr<const Bitmap> upright = bitmap_;
    if (orientation_ != ImageOrientation::up) {
        upright = uprightBitmap();
    }
    const Rect r = rect.standardized();
    const AffineTransform pixelToUser{r.width() / upright->width(),   0,        0,
                                      r.height() / upright->height(), r.minX(), r.minY()};
    context.drawBitmap(*upright, pixelToUser, alpha);
}

void Image::drawInRect(const Rect& rect, double alpha) const {
    if (BitmapContext* context = currentContext()) {
        drawInRect(*context, rect, alpha);
    }
}

void Image::drawAtPoint(const Point& point) const {
    drawInRect(Rect(point, size()));
}

}  // namespace graphics

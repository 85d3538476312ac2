#include "platform/graphics/Image.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

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

// A bundle image as made, with the size and modification time its file had
// then.
struct BundleImage {
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    Image::Ptr image;
};

std::uint32_t bigEndianWord(const foundation::Data& data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) << 24 |
           static_cast<std::uint32_t>(data[at + 1]) << 16 |
           static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
}

// The pixel size in the header of PNG data that ends with its end chunk;
// nullopt for other data, or a size no bitmap takes.
std::optional<std::pair<int, int>> completePNGSize(const foundation::Data& data) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (data.size() < 36 ||
        !std::equal(std::begin(kSignature), std::end(kSignature), data.begin()) ||
        std::memcmp(data.data() + 12, "IHDR", 4) != 0 ||
        std::memcmp(data.data() + data.size() - 8, "IEND", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = bigEndianWord(data, 16);
    const std::uint32_t height = bigEndianWord(data, 20);
    if (width == 0 || height == 0 || width > Bitmap::kMaxSide || height > Bitmap::kMaxSide ||
        static_cast<std::int64_t>(width) * height > Bitmap::kMaxPixels) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

struct Image::Deferred {
    foundation::Data png;
    int width = 0;
    int height = 0;
    std::once_flag decoding;
    std::shared_ptr<const Bitmap> bitmap;
};

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

Image::Ptr Image::deferred(foundation::Data png, int width, int height, double scale) {
    auto image = std::make_shared<Image>(nullptr, scale);
    image->deferred_ = std::make_shared<Deferred>();
    image->deferred_->png = std::move(png);
    image->deferred_->width = width;
    image->deferred_->height = height;
    return image;
}

// Bundle images are made once and shared by every lookup (images are not
// changed once made), made again when the file has changed; the cache lives
// for the process. Most of them are only shown, so a PNG's pixels are decoded
// when first asked for.
Image::Ptr Image::bundleImageAtPath(const std::string& path, double scale) {
    static auto* mutex = new std::mutex;
    static auto* made = new std::map<std::pair<std::string, double>, BundleImage>;
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const auto size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) {
        return nullptr;
    }
    const auto key = std::make_pair(path, scale);
    {
        std::lock_guard lock(*mutex);
        const auto found = made->find(key);
        if (found != made->end() && found->second.modified == modified &&
            found->second.size == size) {
            return found->second.image;
        }
    }
    auto data = foundation::FileManager::defaultManager().contentsAtPath(path);
    if (!data) {
        return nullptr;
    }
    Ptr image;
    if (const auto pixels = completePNGSize(*data)) {
        image = deferred(std::move(*data), pixels->first, pixels->second, scale);
    } else if ((image = imageWithData(*data)) && scale != 1) {
        image = make(image->bitmap(), scale, image->imageOrientation());
    }
    if (image) {
        std::lock_guard lock(*mutex);
        (*made)[key] = {modified, size, image};
    }
    return image;
}

Image::Ptr Image::imageNamed(const std::string& name, double preferredScale) {
    const foundation::Bundle& bundle = foundation::Bundle::main();
    if (name.find('.') != std::string::npos) {
        const auto path = bundle.pathForResource(name);
        const bool doubleScale = name.find("@2x.") != std::string::npos;
        return path ? bundleImageAtPath(*path, doubleScale ? 2 : 1) : nullptr;
    }
    if (preferredScale > 1) {
        if (const auto path = bundle.pathForResource(name + "@2x", "png")) {
            if (auto image = bundleImageAtPath(*path, 2)) {
                return image;
            }
        }
    }
    const auto path = bundle.pathForResource(name, "png");
    return path ? bundleImageAtPath(*path, 1) : nullptr;
}

Image::Ptr Image::animatedImage(std::vector<Ptr> images, double duration) {
    if (images.empty() || !images.front()) {
        return nullptr;
    }
    auto image = std::make_shared<Image>(*images.front());
    image->renderingMode_ = RenderingMode::automatic;
    image->images_ = std::move(images);
    image->duration_ = duration;
    return image;
}

const std::shared_ptr<const Bitmap>& Image::bitmap() const {
    if (!deferred_) {
        return bitmap_;
    }
    Deferred& pending = *deferred_;
    std::call_once(pending.decoding, [&pending] {
        pending.bitmap = ImageSource(std::move(pending.png)).imageAtIndex(0);
        pending.png = {};
    });
    return pending.bitmap;
}

Size Image::size() const {
    if (!bitmap_ && !deferred_) {
        return {};
    }
    const double w = (deferred_ ? deferred_->width : bitmap_->width()) / scale_;
    const double h = (deferred_ ? deferred_->height : bitmap_->height()) / scale_;
    return swapsSides(orientation_) ? Size{h, w} : Size{w, h};
}

std::shared_ptr<Bitmap> Image::uprightBitmap() const {
    const auto& stored = bitmap();
    if (!stored) {
        return nullptr;
    }
    const Bitmap& in = *stored;
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
    std::shared_ptr<const Bitmap> upright = bitmap();
    if (!upright || rect.isEmpty()) {
        return;
    }
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

#include <zbar.h>

#include "scanning/zbar/ZBarImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/BitmapContext.h"

using namespace zbar;

namespace {

unsigned roundedSide(double value) {
    return value > 0 ? static_cast<unsigned>(std::min(value + 0.5, 4294967295.0)) : 0;
}

// The RGB pixel layouts a picture can be made of: no alpha, 5 or 8 bits a
// component, the first byte (or bit) of a 16- or 32-bit pixel unused.
std::shared_ptr<graphics::Bitmap> bitmapFromRGB(const std::uint8_t* data, unsigned width,
                                                unsigned height, unsigned bytesPerPixel) {
    auto bitmap = graphics::Bitmap::make(static_cast<int>(width), static_cast<int>(height));
    if (!bitmap) {
        return nullptr;
    }
    for (unsigned y = 0; y < height; ++y) {
        const std::uint8_t* p = data + static_cast<std::size_t>(y) * width * bytesPerPixel;
        for (unsigned x = 0; x < width; ++x, p += bytesPerPixel) {
            graphics::Rgba8 out{0, 0, 0, 255};
            if (bytesPerPixel == 3) {
                out = {p[0], p[1], p[2], 255};
            } else if (bytesPerPixel == 4) {
                out = {p[1], p[2], p[3], 255};
            } else {
                const unsigned word = (p[0] << 8) | p[1];
                auto expand = [](unsigned v) {
                    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
                };
                out = {expand((word >> 10) & 31), expand((word >> 5) & 31), expand(word & 31), 255};
            }
            bitmap->setPixel(static_cast<int>(x), static_cast<int>(y), out);
        }
    }
    bitmap->setAlphaInfo(graphics::AlphaInfo::noneSkipFirst);
    return bitmap;
}

// The span of source pixels [first, last) that each of `count` cells covers
// when `length` pixels from `origin` are laid over them; every cell takes at
// least one pixel.
std::vector<std::pair<int, int>> cellSpans(double origin, double length, unsigned count) {
    std::vector<std::pair<int, int>> spans(count);
    const double step = length / count;
    for (unsigned i = 0; i < count; ++i) {
        const int first = static_cast<int>(origin + i * step);
        const int last = static_cast<int>(origin + (i + 1) * step);
        spans[i] = {first, std::max(last, first + 1)};
    }
    return spans;
}

// An opaque picture needs no drawing to be cropped and scaled: each output
// pixel is the mean luminance of the picture's pixels it covers (the picture's
// own pixel when the sizes match). False (and `out` partly written) when the
// crop leaves the picture or at the first pixel that is not opaque.
bool sampleOpaqueGrey(const graphics::Bitmap& picture, graphics::Rect crop, unsigned w, unsigned h,
                      std::uint8_t* out) {
    if (crop.origin.x < 0 || crop.origin.y < 0 ||
        crop.origin.x + crop.size.width > picture.width() ||
        crop.origin.y + crop.size.height > picture.height()) {
        return false;
    }
    const auto columns = cellSpans(crop.origin.x, crop.size.width, w);
    const auto rows = cellSpans(crop.origin.y, crop.size.height, h);
    std::vector<std::uint64_t> sums(w);
    for (const auto& [top, bottom] : rows) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = top; y < bottom; ++y) {
            const std::uint8_t* in = picture.row(y);
            for (unsigned c = 0; c < w; ++c) {
                for (int x = columns[c].first; x < columns[c].second; ++x) {
                    const std::uint8_t* p = in + 4 * x;
                    if (p[3] != 255) {
                        return false;
                    }
                    sums[c] += (p[0] * 77 + p[1] * 150 + p[2] * 29 + 128) >> 8;
                }
            }
        }
        for (unsigned c = 0; c < w; ++c) {
            const std::uint64_t area =
                static_cast<std::uint64_t>(bottom - top) * (columns[c].second - columns[c].first);
            *out++ = static_cast<std::uint8_t>((sums[c] + area / 2) / area);
        }
    }
    return true;
}

}  // namespace

std::uint32_t ZBarImage::fourcc(std::string_view format) {
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < 4 && i < format.size(); ++i) {
        code |= static_cast<std::uint32_t>(static_cast<unsigned char>(format[i])) << (8 * i);
    }
    return code;
}

ZBarImage::ZBarImage() : ZBarImage(zbar_image_create()) {
    // The wrapper holds its own reference; the one of creation goes back.
    zbar_image_ref(image_, -1);
}

ZBarImage::ZBarImage(ZBarImageHandle* image) : image_(image) {
    zbar_image_ref(image_, 1);
    zbar_image_set_userdata(image_, this);
}

std::shared_ptr<ZBarImage> ZBarImage::make(ZBarImageHandle* image) {
    if (image == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<ZBarImage>(new ZBarImage(image));
}

ZBarImage::~ZBarImage() {
    zbar_image_set_userdata(image_, nullptr);
    zbar_image_ref(image_, -1);
}

std::shared_ptr<ZBarImage> ZBarImage::makeWithCGImage(const graphics::Bitmap& picture,
                                                      graphics::Rect crop, graphics::Size size) {
    const double start = foundation::Clock::monotonic();
    const unsigned w = roundedSide(size.width);
    const unsigned h = roundedSide(size.height);
    if (!graphics::Bitmap::sizeAllowed(w, h) || w == 0 || h == 0) {
        return nullptr;
    }
    auto* block = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(w) * h, 1));
    if (block == nullptr) {
        return nullptr;
    }
    auto image = std::make_shared<ZBarImage>();
    zbar_image_set_data(image->image_, block, static_cast<unsigned long>(w) * h,
                        zbar_image_free_data);
    image->setFormat(fourcc("Y800"));
    zbar_image_set_size(image->image_, w, h);

    if (sampleOpaqueGrey(picture, crop, w, h, block)) {
        image->tConvert_ = foundation::Clock::monotonic() - start;
        return image;
    }
    auto context = graphics::BitmapContext::create(static_cast<int>(w), static_cast<int>(h),
                                                   graphics::ColorSpaceModel::monochrome, 0);
    if (!context) {
        return nullptr;
    }

    // Scale and crop in one draw; the context's origin is at the bottom left,
    // so the crop's top-left origin is turned over.
    const double sx = size.width / crop.size.width;
    const double sy = size.height / crop.size.height;
    context->setShouldAntialias(false);
    context->drawImage(
        {-crop.origin.x * sx, -(picture.height() - crop.origin.y - crop.size.height) * sy,
         sx * picture.width(), sy * picture.height()},
        picture);
    const std::vector<std::uint8_t> grey = context->data();
    std::memcpy(block, grey.data(), std::min(grey.size(), static_cast<std::size_t>(w) * h));
    image->tConvert_ = foundation::Clock::monotonic() - start;
    return image;
}

std::shared_ptr<ZBarImage> ZBarImage::makeWithCGImage(const graphics::Bitmap& picture,
                                                      graphics::Size size) {
    return makeWithCGImage(
        picture,
        {0, 0, static_cast<double>(picture.width()), static_cast<double>(picture.height())}, size);
}

std::shared_ptr<ZBarImage> ZBarImage::makeWithCGImage(const graphics::Bitmap& picture) {
    return makeWithCGImage(
        picture, {static_cast<double>(picture.width()), static_cast<double>(picture.height())});
}

std::uint64_t ZBarImage::format() const {
    return zbar_image_get_format(image_);
}

void ZBarImage::setFormat(std::uint64_t format) {
    zbar_image_set_format(image_, static_cast<unsigned long>(format));
}

std::uint32_t ZBarImage::sequence() const {
    return zbar_image_get_sequence(image_);
}

void ZBarImage::setSequence(std::uint32_t sequence) {
    zbar_image_set_sequence(image_, sequence);
}

graphics::Size ZBarImage::size() const {
    return {static_cast<double>(zbar_image_get_width(image_)),
            static_cast<double>(zbar_image_get_height(image_))};
}

void ZBarImage::setSize(graphics::Size size) {
    zbar_image_set_size(image_, roundedSide(size.width), roundedSide(size.height));
}

graphics::Rect ZBarImage::crop() const {
    unsigned x = 0;
    unsigned y = 0;
    unsigned w = 0;
    unsigned h = 0;
    zbar_image_get_crop(image_, &x, &y, &w, &h);
    return {static_cast<double>(x), static_cast<double>(y), static_cast<double>(w),
            static_cast<double>(h)};
}

void ZBarImage::setCrop(graphics::Rect crop) {
    zbar_image_set_crop(image_, roundedSide(crop.origin.x), roundedSide(crop.origin.y),
                        roundedSide(crop.size.width), roundedSide(crop.size.height));
}

const void* ZBarImage::data() const {
    return zbar_image_get_data(image_);
}

std::size_t ZBarImage::dataLength() const {
    return zbar_image_get_data_length(image_);
}

void ZBarImage::setData(const void* data, std::size_t length) {
    zbar_image_set_data(image_, data, length, cleanupHandler);
}

void ZBarImage::cleanupHandler(ZBarImageHandle* image) {
    if (auto* owner = static_cast<ZBarImage*>(zbar_image_get_userdata(image))) {
        owner->cleanup();
    }
}

std::shared_ptr<ZBarSymbolSet> ZBarImage::symbols() const {
    const zbar_symbol_set_t* set = zbar_image_get_symbols(image_);
    return ZBarSymbolSet::make(set, set != nullptr && set == textsSet_ ? symbolTexts_ : nullptr);
}

void ZBarImage::setSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols) {
    zbar_image_set_symbols(image_, symbols ? symbols->zbarSymbolSet() : nullptr);
    textsSet_ = symbols ? symbols->zbarSymbolSet() : nullptr;
    symbolTexts_ = symbols ? symbols->texts() : nullptr;
}

std::shared_ptr<graphics::Image> ZBarImage::UIImageWithOrientation(
    graphics::ImageOrientation orientation) {
    const std::uint64_t code = format();
    unsigned bytesPerPixel = 0;
    if (code == fourcc("RGB3")) {
        bytesPerPixel = 3;
    } else if (code == fourcc("RGB4")) {
        bytesPerPixel = 4;
    } else if (code == fourcc("RGBQ")) {
        bytesPerPixel = 2;
    } else {
        const char characters[4] = {
            static_cast<char>(code & 0xFF), static_cast<char>((code >> 8) & 0xFF),
            static_cast<char>((code >> 16) & 0xFF), static_cast<char>((code >> 24) & 0xFF)};
        foundation::Log::write(
            "ZBarImage",
            foundation::format("ERROR: format %.4s(%08lx) is unsupported",
                               std::string(characters, 4), static_cast<unsigned long>(code)));
        return nullptr;
    }
    const unsigned width = zbar_image_get_width(image_);
    const unsigned height = zbar_image_get_height(image_);
    const auto* bytes = static_cast<const std::uint8_t*>(data());
    const std::size_t needed = static_cast<std::size_t>(width) * height * bytesPerPixel;
    if (bytes == nullptr || width == 0 || height == 0 || dataLength() < needed) {
        foundation::Log::write(
            "ZBarImage",
            foundation::format("ERROR: %u bytes of image data, %u needed",
                               static_cast<unsigned>(dataLength()), static_cast<unsigned>(needed)));
        return nullptr;
    }
    return graphics::Image::make(bitmapFromRGB(bytes, width, height, bytesPerPixel), 1.0,
                                 orientation);
}

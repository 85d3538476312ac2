#include "scanning/ZXingWidget/Decoder.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/BitmapContext.h"
#include "results/ResultParser.h"
#include "scanning/ZXingWidget/DecoderPointCallback.h"

namespace {

// The result parsers' number for the kinds of code whose text they read
// differently; every other kind is 0.
int resultParserFormat(ZXing::BarcodeFormat format) {
    switch (format) {
        case ZXing::BarcodeFormat::EAN8:
            return ResultParser::formatEAN8;
        case ZXing::BarcodeFormat::EAN13:
            return ResultParser::formatEAN13;
        case ZXing::BarcodeFormat::UPCA:
            return ResultParser::formatUPCA;
        case ZXing::BarcodeFormat::UPCE:
            return ResultParser::formatUPCE;
        default:
            return ResultParser::formatNone;
    }
}

TwoDDecoderResult resultOf(const ZXing::Result& result) {
    TwoDDecoderResult found;
    found.text = result.text();
    for (const auto& corner : result.position()) {
        found.points.push_back({static_cast<double>(corner.x), static_cast<double>(corner.y)});
    }
    found.format = resultParserFormat(result.format());
    return found;
}

}  // namespace

Decoder::Decoder(std::vector<std::shared_ptr<FormatReader>> readers,
                 std::weak_ptr<DecoderDelegate> delegate)
    : readers_(std::move(readers)), delegate_(std::move(delegate)) {}

bool Decoder::decodeImage(const graphics::Image::Ptr& image) {
    if (!image) {
        return false;
    }
    const auto size = image->size();
    return decodeImage(image, {0, 0, size.width, size.height});
}

bool Decoder::decodeImage(const graphics::Image::Ptr& image, const graphics::Rect& cropRect) {
    image_ = image;
    cropRect_ = cropRect;
    return decode(prepareSubset());
}

std::vector<std::uint8_t> Decoder::prepareSubset() {
    subsetWidth_ = subsetHeight_ = subsetBytesPerRow_ = 0;
    subsetImage_.reset();
    const auto crop = cropRect_.standardized();
    if (!image_ || crop.isEmpty()) {
        return {};
    }
    const float width = static_cast<float>(crop.size.width);
    const float height = static_cast<float>(crop.size.height);
    const float scale = std::min(1.0f, std::max(kSubsetSide / width, kSubsetSide / height));
    subsetWidth_ = static_cast<std::size_t>(width * scale);
    subsetHeight_ = static_cast<std::size_t>(height * scale);
    subsetBytesPerRow_ = (subsetWidth_ + 15) / 16 * 16;
    std::vector<std::uint8_t> subset(subsetBytesPerRow_ * subsetHeight_, 0);
    auto context = graphics::BitmapContext::create(static_cast<int>(subsetWidth_),
                                                   static_cast<int>(subsetHeight_),
                                                   graphics::ColorSpaceModel::monochrome, 0);
    if (!context) {
        subsetWidth_ = subsetHeight_ = subsetBytesPerRow_ = 0;
        return {};
    }
    context->setInterpolationQuality(graphics::InterpolationQuality::none);
    context->setShouldAntialias(false);
    context->translateCTM(0, static_cast<double>(subsetHeight_));
    context->scaleCTM(1, -1);
    const auto size = image_->size();
    image_->drawInRect(*context, {-crop.origin.x * scale, -crop.origin.y * scale,
                                  size.width * scale, size.height * scale});
    const auto grey = context->data();
    const std::size_t rowBytes = context->bytesPerRow();
    for (std::size_t row = 0; row < subsetHeight_; ++row) {
        std::memcpy(subset.data() + row * subsetBytesPerRow_, grey.data() + row * rowBytes,
                    subsetWidth_);
    }
    subsetImage_ = context->makeImage();
    return subset;
}

bool Decoder::decode(const std::vector<std::uint8_t>& subset) {
    if (subsetWidth_ == 0 || subsetHeight_ == 0 ||
        subset.size() < subsetBytesPerRow_ * subsetHeight_) {
        return false;
    }
    const ZXing::ImageView view(subset.data(), static_cast<int>(subsetWidth_),
                                static_cast<int>(subsetHeight_), ZXing::ImageFormat::Lum,
                                static_cast<int>(subsetBytesPerRow_));
    std::optional<TwoDDecoderResult> found;
    for (const auto& reader : readers_) {
        try {
            DecoderPointCallback callback(*this);
            const auto result = reader->decode(view, callback);
            if (result.isValid()) {
                found = resultOf(result);
            }
        } catch (...) {
            // A reader's failure ends only its own attempt.
        }
    }
    if (!found) {
        return false;
    }
    auto self = shared_from_this();
    foundation::DispatchQueue::main()->async(
        [self, result = std::move(*found)] { self->didDecodeImage(result); });
    return true;
}

void Decoder::didDecodeImage(const TwoDDecoderResult& result) {
    if (auto d = delegate()) {
        d->decoderDidDecodeImage(*this, image_, subsetImage_, result);
    }
}

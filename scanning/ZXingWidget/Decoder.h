#pragma once

// Decodes one picture with a set of format readers: draws the part to
// decode into a small greyscale buffer (the shorter side at most 360
// pixels, rows padded to 16 bytes), tries every reader on it (a reader that
// throws only ends its own try; the last one that finds a code wins) and
// posts the find to its delegate on the main thread. Made for one picture
// on any thread; a pending post keeps it alive.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "scanning/ZXingWidget/DecoderDelegate.h"
#include "scanning/ZXingWidget/FormatReader.h"

class Decoder : public std::enable_shared_from_this<Decoder> {
  public:
    static constexpr float kSubsetSide = 360;

    Decoder(std::vector<std::shared_ptr<FormatReader>> readers,
            std::weak_ptr<DecoderDelegate> delegate);

    std::shared_ptr<DecoderDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<DecoderDelegate> delegate) { delegate_ = std::move(delegate); }

    // The whole picture, in points.
    bool decodeImage(const graphics::Image::Ptr& image);
    // True when some reader found a code in `cropRect` of the picture.
    bool decodeImage(const graphics::Image::Ptr& image, const graphics::Rect& cropRect);

    // Draws the crop into the greyscale buffer, upright, without smoothing.
    std::vector<std::uint8_t> prepareSubset();
    bool decode(const std::vector<std::uint8_t>& subset);
    // On the main thread: the delegate hears of the find.
    void didDecodeImage(const TwoDDecoderResult& result);
    // A point a reader reported through its DecoderPointCallback; the
    // decoder itself does nothing with it.
    void resultPointCallback(graphics::Point point) {}

    const graphics::Image::Ptr& image() const { return image_; }
    const graphics::Rect& cropRect() const { return cropRect_; }
    const graphics::Image::Ptr& subsetImage() const { return subsetImage_; }
    std::size_t subsetWidth() const { return subsetWidth_; }
    std::size_t subsetHeight() const { return subsetHeight_; }
    std::size_t subsetBytesPerRow() const { return subsetBytesPerRow_; }

  private:
    std::vector<std::shared_ptr<FormatReader>> readers_;
    std::weak_ptr<DecoderDelegate> delegate_;
    graphics::Image::Ptr image_;
    graphics::Rect cropRect_;
    graphics::Image::Ptr subsetImage_;
    std::size_t subsetWidth_ = 0;
    std::size_t subsetHeight_ = 0;
    std::size_t subsetBytesPerRow_ = 0;
};

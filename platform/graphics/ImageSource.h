#pragma once

// Reads images out of encoded data, as the platform's image sources do: the
// number of frames, each frame's bitmap and properties (pixel size, EXIF
// orientation, GIF delays). An incremental source takes the data as it arrives
// and gives partial images of PNG and JPEG data until it is final. Decoding
// happens on first use and is cached; one source serves one thread at a time.

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DecodedImage.h"

namespace graphics {

struct ImageProperties {
    int pixelWidth = 0;
    int pixelHeight = 0;
    std::optional<int> orientation;
    std::optional<double> gifDelayTime;
    std::optional<double> gifUnclampedDelayTime;
};

class ImageSource {
  public:
    // An incremental source without data yet.
    ImageSource() = default;
    // A source over complete data.
    explicit ImageSource(foundation::Data data);

    // Replaces the data with everything received so far.
    void updateData(const foundation::Data& data, bool final);

    // The width and height in pixels that the data's header declares,
    // without decoding (PNG, JPEG, GIF, BMP): what a picture too large to
    // decode says of itself. nullopt when no header can be read.
    static std::optional<std::pair<int, int>> declaredPixelSize(const foundation::Data& data);

    ImageType type() const;
    // Frames that can be read; 0 when the data is not (yet) an image.
    std::size_t count() const;
    std::optional<ImageProperties> propertiesAtIndex(std::size_t index) const;
    std::shared_ptr<Bitmap> imageAtIndex(std::size_t index) const;
    // False while an incremental source shows only part of its image.
    bool isComplete() const;

  private:
    const std::optional<DecodedImage>& decoded() const;

    foundation::Data data_;
    bool final_ = false;
    mutable bool decodedValid_ = false;
    mutable std::optional<DecodedImage> decoded_;
};

}  // namespace graphics

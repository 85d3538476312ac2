#pragma once

// What a frame decoder tells its delegate; every operation is optional. A
// decoder sends only the success, on the main thread.

#include <string>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "scanning/ZXingWidget/TwoDDecoderResult.h"

class Decoder;

class DecoderDelegate {
  public:
    virtual ~DecoderDelegate() = default;

    virtual void decoderWillDecodeImage(Decoder& decoder, const graphics::Image::Ptr& image,
                                        const graphics::Image::Ptr& subset) {}
    virtual void decoderDecodingImage(Decoder& decoder, const graphics::Image::Ptr& image,
                                      const graphics::Image::Ptr& subset) {}
    virtual void decoderDidDecodeImage(Decoder& decoder, const graphics::Image::Ptr& image,
                                       const graphics::Image::Ptr& subset,
                                       const TwoDDecoderResult& result) {}
    virtual void decoderFailedToDecodeImage(Decoder& decoder, const graphics::Image::Ptr& image,
                                            const graphics::Image::Ptr& subset,
                                            const std::string& reason) {}
    virtual void decoderFoundPossibleResultPoint(Decoder& decoder, graphics::Point point) {}
};

#pragma once

// An image handed to the scanner: camera memory scanned in place, or a picture
// drawn into a new grey image; it carries the symbols of its last scan and can
// turn RGB memory back into a picture. Holds one library reference on the image.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageOrientation.h"
#include "scanning/zbar/ZBarHandles.h"
#include "scanning/zbar/ZBarSymbolSet.h"

class ZBarImage : public std::enable_shared_from_this<ZBarImage> {
  public:
    // The code of up to the first four characters, the first in the low byte;
    // missing characters are 0 ("Y800" is 0x30303859).
    static std::uint32_t fourcc(std::string_view format);

    // A new, empty library image.
    ZBarImage();
    // initWithImage: : wraps `image` (taking a reference); nullptr for null.
    static std::shared_ptr<ZBarImage> make(ZBarImageHandle* image);
    // initWithCGImage:crop:size: : the part `crop` (picture pixels, origin at
    // the top left) of the picture drawn into a new "Y800" image of `size`.
    // nullptr when the memory cannot be had.
    static std::shared_ptr<ZBarImage> makeWithCGImage(const graphics::Bitmap& picture,
                                                      graphics::Rect crop, graphics::Size size);
    static std::shared_ptr<ZBarImage> makeWithCGImage(const graphics::Bitmap& picture,
                                                      graphics::Size size);
    static std::shared_ptr<ZBarImage> makeWithCGImage(const graphics::Bitmap& picture);

    virtual ~ZBarImage();
    ZBarImage(const ZBarImage&) = delete;
    ZBarImage& operator=(const ZBarImage&) = delete;

    std::uint64_t format() const;
    void setFormat(std::uint64_t format);
    std::uint32_t sequence() const;
    void setSequence(std::uint32_t sequence);
    // Whole pixels: setters round each value to the nearest (negative: 0).
    graphics::Size size() const;
    void setSize(graphics::Size size);
    graphics::Rect crop() const;
    void setCrop(graphics::Rect crop);

    const void* data() const;
    std::size_t dataLength() const;
    // setData:withLength: : the image uses `data` in place; when the library
    // lets go of it, cleanup() runs. A null block detaches the memory.
    void setData(const void* data, std::size_t length);

    // The symbols of the last scan; nullptr when there are none.
    std::shared_ptr<ZBarSymbolSet> symbols() const;
    void setSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols);

    ZBarImageHandle* zbarImage() const { return image_; }
    // Seconds spent drawing the picture into this image.
    double tConvert() const { return tConvert_; }

    // A picture of the image's "RGB3", "RGB4" or "RGBQ" memory with
    // `orientation`, at scale 1; nullptr (with a log line) for other formats
    // and for memory shorter than the size needs.
    virtual std::shared_ptr<graphics::Image> UIImageWithOrientation(
        graphics::ImageOrientation orientation);
    std::shared_ptr<graphics::Image> UIImage() {
        return UIImageWithOrientation(graphics::ImageOrientation::up);
    }

  protected:
    // Runs when the library lets go of memory given with setData.
    virtual void cleanup() {}

  private:
    explicit ZBarImage(ZBarImageHandle* image);
    static void cleanupHandler(ZBarImageHandle* image);

    ZBarImageHandle* image_;
    double tConvert_ = 0;
    // Replacement texts of the symbol set last stored, kept while the image
    // still holds that set.
    std::shared_ptr<const ZBarSymbolTexts> symbolTexts_;
    ZBarSymbolSetHandle* textsSet_ = nullptr;
};

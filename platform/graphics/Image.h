#pragma once

// An image as the application uses it: a shared raster with a scale (pixels per
// point) and an orientation, or an animated image made of frames and a duration.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/ImageOrientation.h"

namespace graphics {

class BitmapContext;

enum class RenderingMode { automatic = 0, alwaysOriginal = 1, alwaysTemplate = 2 };

class Image {
  public:
    using Ptr = std::shared_ptr<Image>;

    Image(std::shared_ptr<const Bitmap> bitmap, double scale = 1,
          ImageOrientation orientation = ImageOrientation::up);

    // nullptr for a null bitmap.
    static Ptr make(std::shared_ptr<const Bitmap> bitmap, double scale = 1,
                    ImageOrientation orientation = ImageOrientation::up);
    // Decodes PNG, JPEG, GIF (its first frame) or BMP data; a JPEG's EXIF
    // orientation becomes the image's orientation. nullptr when the data is not
    // a complete image of these kinds.
    static Ptr imageWithData(const foundation::Data& data, double scale = 1);
    static Ptr imageWithContentsOfFile(const std::string& path);
    // A bundle resource by name: "name" as given when it has an extension, else
    // "name@2x.png" (at scale 2) when `preferredScale` is above 1 and it exists,
    // else "name.png". nullptr when there is no such image. A PNG is decoded
    // when its pixels are first asked for, once: later lookups answer the same
    // image until the file changes.
    static Ptr imageNamed(const std::string& name, double preferredScale = 1);
    // An animated image showing `images` in turn over `duration` seconds; its
    // size, scale and bitmap are those of the first frame. nullptr without frames.
    static Ptr animatedImage(std::vector<Ptr> images, double duration);

    // The size in points as shown: pixel size over the scale, width and height
    // exchanged for the left and right orientations.
    Size size() const;
    double scale() const { return scale_; }
    ImageOrientation imageOrientation() const { return orientation_; }
    // The stored raster, not turned by the orientation.
    const std::shared_ptr<const Bitmap>& bitmap() const;
    // The raster as the user sees it, the orientation applied.
    std::shared_ptr<Bitmap> uprightBitmap() const;

    // The frames of an animated image; empty for a still image.
    const std::vector<Ptr>& images() const { return images_; }
    double duration() const { return duration_; }

    RenderingMode renderingMode() const { return renderingMode_; }
    Ptr imageWithRenderingMode(RenderingMode mode) const;

    // Draws the image upright, scaled into `rect` (points, user space of the
    // context); the versions without a context draw into the current one.
    void drawInRect(BitmapContext& context, const Rect& rect, double alpha = 1) const;
    void drawInRect(const Rect& rect, double alpha = 1) const;
    void drawAtPoint(const Point& point) const;

  private:
    // A PNG kept encoded until its pixels are first asked for.
    struct Deferred;
    // The image of a PNG of `width` by `height` pixels, decoded on first use.
    static Ptr deferred(foundation::Data png, int width, int height, double scale);
    static Ptr bundleImageAtPath(const std::string& path, double scale);

    std::shared_ptr<const Bitmap> bitmap_;
    std::shared_ptr<Deferred> deferred_;
    double scale_;
    ImageOrientation orientation_;
    std::vector<Ptr> images_;
    double duration_ = 0;
    RenderingMode renderingMode_ = RenderingMode::automatic;
};

}  // namespace graphics

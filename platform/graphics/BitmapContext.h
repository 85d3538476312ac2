#pragma once

// A drawing context over a pixel buffer, backed by cairo: paths, fills and
// strokes, clipping, images, text, with a graphics-state stack. Bitmap contexts
// have their origin at the bottom left with y up; image contexts (the kind
// views and image code draw into) have it at the top left with y down and a
// scale of pixels per point.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Path.h"

namespace graphics {

class Image;

enum class LineCap { butt = 0, round = 1, square = 2 };
enum class LineJoin { miter = 0, round = 1, bevel = 2 };
enum class InterpolationQuality { defaultQuality = 0, none = 1, low = 2, high = 3, medium = 4 };

class BitmapContext {
  public:
    // A bitmap context of 8-bit components: grey without alpha, or RGB with one
    // of the 32-bit layouts (alpha or skip byte first or last, either byte
    // order). nullptr for other layouts and for empty or oversized bitmaps.
    static std::unique_ptr<BitmapContext> create(int width, int height, ColorSpaceModel model,
                                                 std::uint32_t bitmapInfo);
    // An image context of `size` points at `scale` pixels per point (a scale of
    // 0 or less means 1), RGBA, cleared to transparent. nullptr for an empty or
    // oversized size.
    static std::unique_ptr<BitmapContext> createImageContext(Size size, bool opaque, double scale);

    ~BitmapContext();
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    double scale() const { return scale_; }
    ColorSpaceModel colorSpaceModel() const { return model_; }
    std::uint32_t bitmapInfo() const { return bitmapInfo_; }
    std::size_t bytesPerRow() const;

    void saveGState();
    void restoreGState();

    void translateCTM(double tx, double ty);
    void scaleCTM(double sx, double sy);
    void rotateCTM(double angle);
    void concatCTM(const AffineTransform& t);
    // User space to device pixels, the base flip or scale included.
    AffineTransform getCTM() const;

    void setFillColor(const Color& color);
    void setStrokeColor(const Color& color);
    void setLineWidth(double width);
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    void setAlpha(double alpha);
    void setShouldAntialias(bool antialias);
    void setInterpolationQuality(InterpolationQuality quality);

    void beginPath();
    void moveToPoint(double x, double y);
    void addLineToPoint(double x, double y);
    void addRect(const Rect& rect);
    void addEllipseInRect(const Rect& rect);
    // With `clockwise` the angle shrinks along the arc, as the platform's flag
    // means in y-up space.
    void addArc(double x, double y, double radius, double startAngle, double endAngle,
                bool clockwise);
    void addPath(const Path& path);
    void closePath();
    // Fill and stroke use and then clear the current path.
    void fillPath();
    void eoFillPath();
    void strokePath();
    // Intersects the clip with the current path and clears it.
    void clip();
    void clipToRect(const Rect& rect);

    void fillRect(const Rect& rect);
    void strokeRect(const Rect& rect);
    void fillEllipseInRect(const Rect& rect);
    void strokeEllipseInRect(const Rect& rect);
    // Makes the rectangle transparent (black in contexts without alpha).
    void clearRect(const Rect& rect);

    // Draws the raster scaled into `rect` with its top row at the rectangle's
    // maximum y, which shows it upright in a y-up context (and upside down in a
    // y-down one), as the platform does.
    void drawImage(const Rect& rect, const Bitmap& bitmap);
    // Draws the raster with pixel (u, v) of its top-left corner mapped through
    // `pixelToUser` into user space.
    void drawBitmap(const Bitmap& bitmap, const AffineTransform& pixelToUser, double alpha = 1);

    // Draws one line of UTF-8 text with the top left of its line box at
    // `point`, glyphs upright in a y-down context, in the fill colour.
    void drawText(const std::string& text, Point point, const Font& font);

    // A copy of the pixels so far, as a straight RGBA raster (CreateImage).
    std::shared_ptr<Bitmap> makeBitmap() const;
    // The pixels so far as an image with the context's scale, orientation up.
    std::shared_ptr<Image> makeImage() const;
    // The pixels in the context's own layout (grey bytes, or 4 bytes per pixel
    // in the order of its bitmap info), rows packed top to bottom.
    std::vector<std::uint8_t> data() const;

  private:
    struct State {
        Color fill = Color::blackColor();
        Color stroke = Color::blackColor();
        double alpha = 1;
        bool antialias = true;
        InterpolationQuality interpolation = InterpolationQuality::defaultQuality;
    };
    struct Cairo;

    BitmapContext(int width, int height, double scale, ColorSpaceModel model,
                  std::uint32_t bitmapInfo, bool flipped, bool opaque);
    void setSource(const Color& color);
    void applyAntialias();
    bool hasAlpha() const;

    int width_;
    int height_;
    double scale_;
    ColorSpaceModel model_;
    std::uint32_t bitmapInfo_;
    bool opaque_;
    std::unique_ptr<Cairo> cairo_;
    State state_;
    std::vector<State> saved_;
};

}  // namespace graphics

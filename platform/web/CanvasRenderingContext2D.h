#pragma once

// The pixels of a canvas element and the 2D drawing state scripts change,
// drawn through cairo: paths kept across fills and strokes, colours and
// linear gradients, line width, caps, joins and dashes, global alpha, text in
// a CSS font, images, transforms, clipping, a state stack, and reads and
// writes of straight RGBA pixels. Calls with a singular transform draw
// nothing; other inputs a page can get wrong are refused with an exception.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"

namespace web {

class CanvasRenderingContext2D {
  public:
    struct LinearGradient {
        graphics::Point start;
        graphics::Point end;
        // Offsets in [0, 1] with their colours, in the order added.
        std::vector<std::pair<double, graphics::Color>> stops;
    };
    using Style = std::variant<graphics::Color, LinearGradient>;

    struct TextMetrics {
        double width = 0;
        double ascent = 0;
        double descent = 0;
    };

    // A transparent bitmap of `width` x `height` pixels; an empty one (that
    // draws nothing) for a side of 0.
    CanvasRenderingContext2D(int width, int height);
    ~CanvasRenderingContext2D();
    CanvasRenderingContext2D(const CanvasRenderingContext2D&) = delete;
    CanvasRenderingContext2D& operator=(const CanvasRenderingContext2D&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // A new transparent bitmap and the initial state, as setting a canvas's
    // width or height gives.
    void reset(int width, int height);

    void save();
    void restore();

    void translate(double x, double y);
    void scale(double x, double y);
    void rotate(double angle);
    void transform(double a, double b, double c, double d, double e, double f);
    void setTransform(double a, double b, double c, double d, double e, double f);

    void setFillStyle(Style style) { state_.fill = std::move(style); }
    void setStrokeStyle(Style style) { state_.stroke = std::move(style); }
    // Ignored for widths that are not positive.
    void setLineWidth(double width);
    // "butt", "round", "square"; "miter", "round", "bevel"; others ignored.
    void setLineCap(const std::string& cap);
    void setLineJoin(const std::string& join);
    // Ignored when a length is negative; an odd list is repeated.
    void setLineDash(std::vector<double> segments);
    // Ignored outside [0, 1].
    void setGlobalAlpha(double alpha);
    // A CSS font shorthand ("bold 12px sans-serif"); false (and the font
    // kept) when it has no size in px, pt or em, or an unreasonable one.
    bool setFont(const std::string& font);
    // "start", "end", "left", "right", "center".
    void setTextAlign(const std::string& align) { state_.textAlign = align; }
    // "alphabetic", "top", "hanging", "middle", "ideographic", "bottom".
    void setTextBaseline(const std::string& baseline) { state_.textBaseline = baseline; }

    void beginPath();
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void closePath();
    void rect(double x, double y, double width, double height);
    // Throws for a negative radius.
    void arc(double x, double y, double radius, double startAngle, double endAngle,
             bool anticlockwise);
    void arcTo(double x1, double y1, double x2, double y2, double radius);
    void quadraticCurveTo(double cpx, double cpy, double x, double y);
    void bezierCurveTo(double cp1x, double cp1y, double cp2x, double cp2y, double x, double y);

    // Fill, stroke and clip keep the path.
    void fill(bool evenOdd = false);
    void stroke();
    void clip(bool evenOdd = false);
    void fillRect(double x, double y, double width, double height);
    void strokeRect(double x, double y, double width, double height);
    void clearRect(double x, double y, double width, double height);

    // A maxWidth of 0 or less leaves the text at its width.
    void fillText(const std::string& text, double x, double y, double maxWidth = 0);
    void strokeText(const std::string& text, double x, double y, double maxWidth = 0);
    TextMetrics measureText(const std::string& text) const;

    // Draws the `source` rectangle of the bitmap (pixels) into `destination`.
    void drawImage(const graphics::Bitmap& bitmap, const graphics::Rect& source,
                   const graphics::Rect& destination);

    // The pixels of a rectangle as straight RGBA rows, transparent outside
    // the bitmap; throws for an empty or oversized rectangle.
    std::vector<std::uint8_t> getImageData(int x, int y, int width, int height) const;
    // Writes straight RGBA pixels of a `width` x `height` image at (dx, dy),
    // only its `dirty` part, ignoring transform, clip and alpha. Throws when
    // `data` is not that size.
    void putImageData(const std::vector<std::uint8_t>& data, int width, int height, int dx, int dy,
                      graphics::Rect dirty);

    // Brings the context back when cairo refused an input it cannot draw
    // with: the pixels stay, the state starts over. False when nothing was
    // wrong.
    bool recover();

    // The bitmap as it stands, straight RGBA; nullptr when empty.
    std::shared_ptr<graphics::Bitmap> bitmap() const;

  private:
    struct State {
        Style fill = graphics::Color::blackColor();
        Style stroke = graphics::Color::blackColor();
        double globalAlpha = 1;
        graphics::Font font{"DejaVu Sans", 10, false};
        std::string textAlign = "start";
        std::string textBaseline = "alphabetic";
        cairo_matrix_t matrix{1, 0, 0, 1, 0, 0};
        bool singular = false;
    };

    bool drawable() const { return cr_ != nullptr && !state_.singular; }
    void applyMatrix(const cairo_matrix_t& matrix);
    // Whether the transform scaled by (sx, sy) can still be inverted, as
    // cairo needs of every transform it draws with.
    bool invertibleScaled(double sx, double sy) const;
    // The style as cairo's source, its alpha times the global alpha.
    void setSource(const Style& style);
    // Runs `draw` on a path of its own, the current path kept around it.
    template <typename Draw>
    void withOwnPath(Draw&& draw);
    void drawText(const std::string& text, double x, double y, double maxWidth, bool strokeIt);

    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    State state_;
    std::vector<State> saved_;
};

}  // namespace web

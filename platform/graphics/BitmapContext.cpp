#include "platform/graphics/BitmapContext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/graphics/CairoPixels.h"
#include "platform/graphics/FontRuns.h"
#include "platform/graphics/Image.h"

namespace graphics {

namespace {

bool invertible(const AffineTransform& t) {
    const double det = t.a * t.d - t.b * t.c;
    return det != 0 && std::isfinite(det) && std::isfinite(t.tx) && std::isfinite(t.ty);
}

bool finite(const Rect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

cairo_matrix_t toCairo(const AffineTransform& t) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return m;
}

}  // namespace

struct BitmapContext::Cairo {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    AffineTransform base;
    AffineTransform ctm;
    std::vector<AffineTransform> savedCtm;

    ~Cairo() {
        if (cr != nullptr) {
            cairo_destroy(cr);
        }
        if (surface != nullptr) {
            cairo_surface_destroy(surface);
        }
    }

    // Puts the current transform into cairo; false when it cannot draw
    // (a transform that squashes everything, e.g. a scale by 0).
    bool sync() {
        const AffineTransform full = ctm.concat(base);
        if (!invertible(full) || cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
            return false;
        }
        const cairo_matrix_t m = toCairo(full);
        cairo_set_matrix(cr, &m);
        return true;
    }
};

std::unique_ptr<BitmapContext> BitmapContext::create(int width, int height, ColorSpaceModel model,
                                                     std::uint32_t bitmapInfo) {
    const auto alpha = static_cast<AlphaInfo>(bitmapInfo & kBitmapAlphaInfoMask);
    bool supported = false;
    if (model == ColorSpaceModel::monochrome) {
        supported = alpha == AlphaInfo::none;
    } else if (model == ColorSpaceModel::rgb) {
        supported = alpha == AlphaInfo::premultipliedFirst ||
                    alpha == AlphaInfo::premultipliedLast || alpha == AlphaInfo::noneSkipFirst ||
                    alpha == AlphaInfo::noneSkipLast;
    }
    if (!supported || !Bitmap::sizeAllowed(width, height)) {
        return nullptr;
    }
    std::unique_ptr<BitmapContext> context(
        new BitmapContext(width, height, 1, model, bitmapInfo, true, false));
    return context->cairo_ ? std::move(context) : nullptr;
}

std::unique_ptr<BitmapContext> BitmapContext::createImageContext(Size size, bool opaque,
                                                                 double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) {
        scale = 1;
    }
    const double w = std::ceil(size.width * scale);
    const double h = std::ceil(size.height * scale);
    if (!std::isfinite(w) || !std::isfinite(h) ||
        !Bitmap::sizeAllowed(std::int64_t(w), std::int64_t(h))) {
        return nullptr;
    }
    const std::uint32_t info =
        (opaque ? static_cast<std::uint32_t>(AlphaInfo::noneSkipFirst)
                : static_cast<std::uint32_t>(AlphaInfo::premultipliedFirst)) |
        kBitmapByteOrder32Little;
    std::unique_ptr<BitmapContext> context(
        new BitmapContext(static_cast<int>(w), static_cast<int>(h), scale, ColorSpaceModel::rgb,
                          info, false, opaque));
    return context->cairo_ ? std::move(context) : nullptr;
}

BitmapContext::BitmapContext(int width, int height, double scale, ColorSpaceModel model,
                             std::uint32_t bitmapInfo, bool flipped, bool opaque)
    : width_(width),
      height_(height),
      scale_(scale),
      model_(model),
      bitmapInfo_(bitmapInfo),
      opaque_(opaque),
      cairo_(std::make_unique<Cairo>()) {
    cairo_->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_->cr = cairo_create(cairo_->surface);
    if (cairo_status(cairo_->cr) != CAIRO_STATUS_SUCCESS) {
        cairo_.reset();
        return;
    }
    cairo_->base = flipped ? AffineTransform{1, 0, 0, -1, 0, static_cast<double>(height)}
                           : AffineTransform::makeScale(scale, scale);
    cairo_->sync();
}

BitmapContext::~BitmapContext() = default;

std::size_t BitmapContext::bytesPerRow() const {
    return model_ == ColorSpaceModel::monochrome ? static_cast<std::size_t>(width_)
                                                 : static_cast<std::size_t>(width_) * 4;
}

void BitmapContext::saveGState() {
    saved_.push_back(state_);
    cairo_->savedCtm.push_back(cairo_->ctm);
    cairo_save(cairo_->cr);
}

void BitmapContext::restoreGState() {
    if (saved_.empty()) {
        return;
    }
    state_ = saved_.back();
    saved_.pop_back();
    cairo_->ctm = cairo_->savedCtm.back();
    cairo_->savedCtm.pop_back();
    cairo_restore(cairo_->cr);
    applyAntialias();
}

void BitmapContext::translateCTM(double tx, double ty) {
    cairo_->ctm = cairo_->ctm.translate(tx, ty);
}

void BitmapContext::scaleCTM(double sx, double sy) {
    cairo_->ctm = cairo_->ctm.scale(sx, sy);
}

void BitmapContext::rotateCTM(double angle) {
    cairo_->ctm = cairo_->ctm.rotate(angle);
}

void BitmapContext::concatCTM(const AffineTransform& t) {
    cairo_->ctm = t.concat(cairo_->ctm);
}

AffineTransform BitmapContext::getCTM() const {
    return cairo_->ctm.concat(cairo_->base);
}

void BitmapContext::setFillColor(const Color& color) {
    state_.fill = color;
}

void BitmapContext::setStrokeColor(const Color& color) {
    state_.stroke = color;
}

void BitmapContext::setLineWidth(double width) {
    if (std::isfinite(width) && width >= 0) {
        cairo_set_line_width(cairo_->cr, width);
    }
}

void BitmapContext::setLineCap(LineCap cap) {
    cairo_set_line_cap(cairo_->cr, cap == LineCap::round    ? CAIRO_LINE_CAP_ROUND
                                   : cap == LineCap::square ? CAIRO_LINE_CAP_SQUARE
                                                            : CAIRO_LINE_CAP_BUTT);
}

void BitmapContext::setLineJoin(LineJoin join) {
    cairo_set_line_join(cairo_->cr, join == LineJoin::round   ? CAIRO_LINE_JOIN_ROUND
                                    : join == LineJoin::bevel ? CAIRO_LINE_JOIN_BEVEL
                                                              : CAIRO_LINE_JOIN_MITER);
}

void BitmapContext::setAlpha(double alpha) {
    state_.alpha = std::clamp(alpha, 0.0, 1.0);
}

void BitmapContext::setShouldAntialias(bool antialias) {
    state_.antialias = antialias;
    applyAntialias();
}

void BitmapContext::applyAntialias() {
    cairo_set_antialias(cairo_->cr,
                        state_.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void BitmapContext::setInterpolationQuality(InterpolationQuality quality) {
    state_.interpolation = quality;
}

void BitmapContext::setSource(const Color& color) {
    const double a = std::clamp(color.alpha(), 0.0, 1.0) * state_.alpha;
    if (color.model() == ColorSpaceModel::pattern) {
        cairo_set_source_rgba(cairo_->cr, 0, 0, 0, a);
        return;
    }
    cairo_set_source_rgba(cairo_->cr, std::clamp(color.red(), 0.0, 1.0),
                          std::clamp(color.green(), 0.0, 1.0), std::clamp(color.blue(), 0.0, 1.0),
                          a);
}

void BitmapContext::beginPath() {
    cairo_new_path(cairo_->cr);
}

void BitmapContext::moveToPoint(double x, double y) {
    if (cairo_->sync() && std::isfinite(x) && std::isfinite(y)) {
        cairo_move_to(cairo_->cr, x, y);
    }
}

void BitmapContext::addLineToPoint(double x, double y) {
    if (cairo_->sync() && std::isfinite(x) && std::isfinite(y)) {
        cairo_line_to(cairo_->cr, x, y);
    }
}

void BitmapContext::addRect(const Rect& rect) {
    if (cairo_->sync() && finite(rect) && !rect.isNull()) {
        cairo_rectangle(cairo_->cr, rect.origin.x, rect.origin.y, rect.size.width,
                        rect.size.height);
    }
}

void BitmapContext::addEllipseInRect(const Rect& rect) {
    if (!cairo_->sync() || !finite(rect) || rect.isEmpty()) {
        return;
    }
    const Rect r = rect.standardized();
    cairo_t* cr = cairo_->cr;
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, r.midX(), r.midY());
    cairo_scale(cr, r.width() / 2, r.height() / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void BitmapContext::addArc(double x, double y, double radius, double startAngle, double endAngle,
                           bool clockwise) {
    if (!cairo_->sync() || !std::isfinite(x + y + radius + startAngle + endAngle)) {
        return;
    }
    // The y axis of user space points up in bitmap contexts: the platform's
    // "clockwise" there is cairo's decreasing angle. The flag keeps that meaning
    // in every context, as the platform's does.
    if (clockwise) {
        cairo_arc_negative(cairo_->cr, x, y, std::fabs(radius), startAngle, endAngle);
    } else {
        cairo_arc(cairo_->cr, x, y, std::fabs(radius), startAngle, endAngle);
    }
}

void BitmapContext::addPath(const Path& path) {
    for (const Path::Element& e : path.elements()) {
        switch (e.kind) {
            case Path::Kind::move:
                moveToPoint(e.point.x, e.point.y);
                break;
            case Path::Kind::line:
                addLineToPoint(e.point.x, e.point.y);
                break;
            case Path::Kind::arc:
                addArc(e.point.x, e.point.y, e.radius, e.startAngle, e.endAngle, !e.increasing);
                break;
            case Path::Kind::rect:
                addRect(e.rect);
                break;
            case Path::Kind::ellipse:
                addEllipseInRect(e.rect);
                break;
            case Path::Kind::close:
                closePath();
                break;
        }
    }
}

void BitmapContext::closePath() {
    cairo_close_path(cairo_->cr);
}

void BitmapContext::fillPath() {
    if (cairo_->sync()) {
        setSource(state_.fill);
        cairo_fill(cairo_->cr);
    }
    cairo_new_path(cairo_->cr);
}

void BitmapContext::eoFillPath() {
    if (cairo_->sync()) {
        setSource(state_.fill);
        cairo_set_fill_rule(cairo_->cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cairo_->cr);
        cairo_set_fill_rule(cairo_->cr, CAIRO_FILL_RULE_WINDING);
    }
    cairo_new_path(cairo_->cr);
}

void BitmapContext::strokePath() {
    if (cairo_->sync()) {
        setSource(state_.stroke);
        cairo_stroke(cairo_->cr);
    }
    cairo_new_path(cairo_->cr);
}

void BitmapContext::clip() {
    if (cairo_->sync()) {
        cairo_clip(cairo_->cr);
    }
    cairo_new_path(cairo_->cr);
}

void BitmapContext::clipToRect(const Rect& rect) {
    beginPath();
    addRect(rect);
    clip();
}

void BitmapContext::fillRect(const Rect& rect) {
    beginPath();
    addRect(rect);
    fillPath();
}

void BitmapContext::strokeRect(const Rect& rect) {
    beginPath();
    addRect(rect);
    strokePath();
}

void BitmapContext::fillEllipseInRect(const Rect& rect) {
    beginPath();
    addEllipseInRect(rect);
    fillPath();
}

void BitmapContext::strokeEllipseInRect(const Rect& rect) {
    beginPath();
    addEllipseInRect(rect);
    strokePath();
}

void BitmapContext::clearRect(const Rect& rect) {
    if (!cairo_->sync() || !finite(rect) || rect.isNull()) {
        return;
    }
    cairo_t* cr = cairo_->cr;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_fill(cr);
    cairo_restore(cr);
}

void BitmapContext::drawImage(const Rect& rect, const Bitmap& bitmap) {
    if (rect.isEmpty() || !finite(rect) || bitmap.width() <= 0 || bitmap.height() <= 0) {
        return;
    }
    const Rect r = rect.standardized();
    const AffineTransform pixelToUser{r.width() / bitmap.width(),    0,        0,
                                      -r.height() / bitmap.height(), r.minX(), r.maxY()};
    drawBitmap(bitmap, pixelToUser);
}

void BitmapContext::drawBitmap(const Bitmap& bitmap, const AffineTransform& pixelToUser,
                               double alpha) {
    if (!cairo_->sync() || !invertible(pixelToUser) || bitmap.width() <= 0) {
        return;
    }
    cairo_surface_t* source = surfaceFromBitmap(bitmap);
    if (source == nullptr) {
        return;
    }
    cairo_t* cr = cairo_->cr;
    cairo_save(cr);
    const cairo_matrix_t m = toCairo(pixelToUser);
    cairo_transform(cr, &m);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    switch (state_.interpolation) {
        case InterpolationQuality::none:
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
            break;
        case InterpolationQuality::low:
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_FAST);
            break;
        case InterpolationQuality::high:
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_BEST);
            break;
        default:
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
            break;
    }
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, bitmap.width(), bitmap.height());
    cairo_clip(cr);
    cairo_paint_with_alpha(cr, std::clamp(alpha, 0.0, 1.0) * state_.alpha);
    cairo_restore(cr);
    cairo_surface_destroy(source);
}

void BitmapContext::drawText(const std::string& text, Point point, const Font& font) {
    if (!cairo_->sync() || text.empty() || !std::isfinite(point.x) || !std::isfinite(point.y) ||
        !(font.pointSize > 0)) {
        return;
    }
    cairo_t* cr = cairo_->cr;
    cairo_select_font_face(cr, font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.pointSize);
    cairo_font_extents_t extents;
    cairo_font_extents(cr, &extents);
    setSource(state_.fill);
    double x = point.x;
    for (const auto& run : FontRuns::split(text, font)) {
        cairo_select_font_face(cr, run.font.family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                               run.font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, run.font.pointSize);
        cairo_text_extents_t advance;
        cairo_text_extents(cr, run.text.c_str(), &advance);
        cairo_new_path(cr);
        cairo_move_to(cr, x, point.y + extents.ascent);
        cairo_show_text(cr, run.text.c_str());
        x += advance.x_advance;
    }
    cairo_new_path(cr);
}

bool BitmapContext::hasAlpha() const {
    const auto a = static_cast<AlphaInfo>(bitmapInfo_ & kBitmapAlphaInfoMask);
    return !opaque_ && (a == AlphaInfo::premultipliedFirst || a == AlphaInfo::premultipliedLast);
}

std::shared_ptr<Bitmap> BitmapContext::makeBitmap() const {
    cairo_surface_flush(cairo_->surface);
    auto bitmap = std::make_shared<Bitmap>(width_, height_);
    const bool alpha = hasAlpha();
    const bool grey = model_ == ColorSpaceModel::monochrome;
    bitmap->setColorSpaceModel(model_);
    bitmap->setAlphaInfo(static_cast<AlphaInfo>(bitmapInfo_ & kBitmapAlphaInfoMask));
    const unsigned char* base = cairo_image_surface_get_data(cairo_->surface);
    const int stride = cairo_image_surface_get_stride(cairo_->surface);
    for (int y = 0; y < height_; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(base + y * stride);
        std::uint8_t* out = bitmap->row(y);
        for (int x = 0; x < width_; ++x, out += 4) {
            const std::uint32_t p = in[x];
            std::uint32_t a = p >> 24;
            std::uint32_t r = p >> 16 & 0xFF;
            std::uint32_t g = p >> 8 & 0xFF;
            std::uint32_t b = p & 0xFF;
            if (alpha) {
                if (a != 0) {
                    r = std::min(255u, (r * 255 + a / 2) / a);
                    g = std::min(255u, (g * 255 + a / 2) / a);
                    b = std::min(255u, (b * 255 + a / 2) / a);
                }
            } else {
                // Without alpha the pixels show as drawn over black.
                a = 255;
            }
            if (grey) {
                r = g = b = (r * 77 + g * 150 + b * 29 + 128) >> 8;
            }
            out[0] = static_cast<std::uint8_t>(r);
            out[1] = static_cast<std::uint8_t>(g);
            out[2] = static_cast<std::uint8_t>(b);
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
    return bitmap;
}

std::shared_ptr<Image> BitmapContext::makeImage() const {
    return Image::make(makeBitmap(), scale_, ImageOrientation::up);
}

std::vector<std::uint8_t> BitmapContext::data() const {
    return makeBitmap()->copyPixels(model_, bitmapInfo_);
}

}  // namespace graphics
